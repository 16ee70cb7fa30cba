// Replies that cannot be read and requests that fail: the failure box, and what the list
// and the update-date label hold afterwards.

#include "search_window_fixture.h"
#include "support/loopback_ports.h"

#include <optional>

using namespace melvanto;
using namespace melvanto::search_test;

namespace {

using ReplyFailuresTest = SearchWindowTest;

enum class Press { Search, Chart };

// Every case starts from a chart of 3 rows dated 2000-01-01.
TEST_F(ReplyFailuresTest, ReadingStopsAtTheFirstMemberThatCannotBeReadAndKeepsWhatCameBefore) {
    const std::string earlier = ansi(u"更新时间:2000-01-01");
    const std::string date = ansi(u"更新时间:2026-08-09");
    const std::string two = R"({"songid":"1","songname":"a","artistname":"b"},)"
                            R"({"songid":2,"songname":"c","artistname":"d"})";
    struct Case {
        Press press;
        std::string body;
        std::string message; // as the failure box shows it
        std::vector<std::vector<std::string>> rows;
        std::string label;
    };
    const std::vector<std::vector<std::string>> none;
    const std::vector<std::vector<std::string>> firstTwo{{"1", "a", "b"}, {"2", "c", "d"}};
    const Case cases[] = {
        {Press::Search, R"({"errno":22001})", "Reply cannot be read: data is missing.", none, ""},
        {Press::Search, R"({"data":{"song":{"songid":"1"}}})",
         "Reply cannot be read: data.song is not an array.", none, ""},
        {Press::Search, R"({"data":{"song":[)" + two + R"(,{"songid":"3","songname":"e"}]}})",
         "Reply cannot be read: data.song[2].artistname is missing.", firstTwo, ""},
        {Press::Search, R"({"data":{"song":[)" + two + R"(,{"songname":"e","artistname":"f"}]}})",
         "Reply cannot be read: data.song[2].songid is missing.", firstTwo, ""},
        {Press::Search, R"({"data":{"song":[)" + two + R"(,"3"]}})",
         "Reply cannot be read: data.song[2] is not an object.", firstTwo, ""},
        {Press::Chart, R"({"song_list":[]})", "Reply cannot be read: billboard is missing.", none,
         earlier},
        {Press::Chart, R"({"billboard":{"name":"x"},"song_list":[]})",
         "Reply cannot be read: billboard.update_date is missing.", none, earlier},
        {Press::Chart, R"({"billboard":{"update_date":"2026-08-09"}})",
         "Reply cannot be read: song_list is missing.", none, date},
        {Press::Chart, R"({"billboard":{"update_date":"2026-08-09"},"song_list":"none"})",
         "Reply cannot be read: song_list is not an array.", none, date},
        {Press::Chart,
         R"({"billboard":{"update_date":"2026-08-09"},"song_list":[)"
         R"({"song_id":"1","title":"a","artist_name":"b"},{"song_id":2,"title":"c",)"
         R"("artist_name":"d"},{"song_id":"3","artist_name":"f"}]})",
         "Reply cannot be read: song_list[2].title is missing.", firstTwo, date},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        showChart("2000-01-01", 3);
        const char* path = c.press == Press::Search ? kSuggestionPath : kChartPath;
        server.Queue(path, {200, c.body});
        guitest::ModalBoxRecorder boxes;
        if (c.press == Press::Search)
            search("a");
        else
            guitest::Click(form().btn2);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        ExpectFailureBox(boxes.Boxes()[0], c.message);
        EXPECT_EQ(rows(), c.rows);
        EXPECT_EQ(form().slb2.Text(), c.label);
    }
}

// The server answers unscripted paths with 404 and a small HTML page; the status itself is
// no failure, the page is.
TEST_F(ReplyFailuresTest, AWebPageOrAnythingElseThatIsNotAJsonObjectCannotBeRead) {
    using Answer = melvanto::test::LoopbackHttpServer::Answer;
    struct Case {
        Press press;
        std::optional<Answer> answer; // none: the 404 page
        std::string message;
    };
    const Case cases[] = {
        {Press::Search, std::nullopt, "Reply cannot be read: the reply is not a JSON object."},
        {Press::Chart, std::nullopt, "Reply cannot be read: the reply is not a JSON object."},
        {Press::Search, Answer{500, "", "text/plain"}, "Reply cannot be read: the reply is empty."},
        {Press::Chart, Answer{200, "[1,2]"},
         "Reply cannot be read: the reply is not a JSON object."},
        {Press::Search, Answer{200, "{\"data\":"}, "Reply cannot be read: the reply is not JSON."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        showChart("2000-01-01", 3);
        const char* path = c.press == Press::Search ? kSuggestionPath : kChartPath;
        if (c.answer) server.Queue(path, *c.answer);
        guitest::ModalBoxRecorder boxes;
        if (c.press == Press::Search)
            search("a");
        else
            guitest::Click(form().btn2);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        ExpectFailureBox(boxes.Boxes()[0], c.message);
        EXPECT_EQ(form().lv1.RowCount(), 0);
    }
}

// A request that gets no reply: the server redirects it to a port that refuses every
// connection. The list was emptied before the request; a search had emptied the date, a
// chart leaves the earlier one.
TEST_F(ReplyFailuresTest, AFailedRequestLeavesTheListEmptyAndShowsTheFailure) {
    const melvanto::test::RefusingPort refusing;
    const std::string refusingHost = "127.0.0.1:" + std::to_string(refusing.Port());
    const melvanto::test::LoopbackHttpServer::Answer redirect{
        302, "", "text/plain", {{"Location", "http://" + refusingHost + "/gone"}}};
    struct Case {
        Press press;
        std::string label;
    };
    const Case cases[] = {{Press::Search, ""}, {Press::Chart, ansi(u"更新时间:2000-01-01")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.press == Press::Search ? "search" : "chart");
        showChart("2000-01-01", 3);
        server.Queue(c.press == Press::Search ? kSuggestionPath : kChartPath, redirect);
        guitest::ModalBoxRecorder boxes;
        if (c.press == Press::Search)
            search("a");
        else
            guitest::Click(form().btn2);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        const guitest::ModalBox& box = boxes.Boxes()[0];
        EXPECT_EQ(box.kind, guitest::BoxKind::Failure);
        EXPECT_EQ(box.icon, guitest::BoxIcon::Stop);
        // libcurl's own words, with the full stop of the failure box.
        EXPECT_EQ(box.text.rfind(
                      "Failed to connect to 127.0.0.1 port " + std::to_string(refusing.Port()), 0),
                  0u)
            << box.text;
        EXPECT_EQ(box.text.back(), '.');
        EXPECT_EQ(form().lv1.RowCount(), 0);
        EXPECT_EQ(form().slb2.Text(), c.label);
    }
}

} // namespace
