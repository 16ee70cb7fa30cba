// The seven chart buttons: the chart each asks for, its update date and its songs.

#include "search_window_fixture.h"

using namespace melvanto;
using namespace melvanto::search_test;

namespace {

using ChartListTest = SearchWindowTest;

TEST_F(ChartListTest, EachButtonAsksForItsChartAndShowsItsDateAndSongs) {
    struct Case {
        const char* button;
        const char* type;
    };
    const Case cases[] = {{"btn2", "1"},  {"btn3", "2"},  {"btn4", "21"}, {"btn5", "22"},
                          {"btn6", "23"}, {"btn7", "24"}, {"btn8", "25"}};
    form().edt1.SetText("ignored");
    int count = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        const std::string date = "2026-01-" + std::to_string(10 + count);
        server.Queue(kChartPath, {200, ChartJson(date, NumberedSongs(count))});
        server.ClearTargets();
        guitest::ModalBoxRecorder boxes;
        guitest::Click(form().Find<gui::Button>(c.button));
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(CurrentBillType, c.type);
        // The keyword box plays no part in the request.
        EXPECT_EQ(server.Targets(), (std::vector<std::string>{ChartTarget(c.type)}));
        EXPECT_EQ(form().slb2.Text(), ansi(u"更新时间:") + date);
        EXPECT_EQ(rows(), NumberedRows(count));
        ++count;
    }
}

TEST_F(ChartListTest, AHundredSongsGiveAHundredRowsInOrderAndPressingAgainDoesNotDoubleThem) {
    server.Reply(kChartPath, {200, ChartJson("2026-02-02", NumberedSongs(100))});
    for (int press = 1; press <= 2; ++press) {
        SCOPED_TRACE(press);
        guitest::Click(form().btn3);
        EXPECT_EQ(rows(), NumberedRows(100));
        EXPECT_EQ(form().lv1.SelectedRow(), std::nullopt);
    }
}

TEST_F(ChartListTest, SearchThenChartThenSearchEmptiesSetsAndEmptiesTheDate) {
    server.Reply(kSuggestionPath, {200, SuggestionJson(NumberedSongs(2))});
    server.Reply(kChartPath, {200, ChartJson("2026-04-05", NumberedSongs(4))});

    search("a");
    EXPECT_EQ(form().slb2.Text(), "");
    EXPECT_EQ(rows(), NumberedRows(2));

    guitest::Click(form().btn2);
    EXPECT_EQ(form().slb2.Text(), ansi(u"更新时间:2026-04-05"));
    EXPECT_GT(form().slb2.Geometry().width, 0);
    EXPECT_EQ(rows(), NumberedRows(4));

    search("a");
    EXPECT_EQ(form().slb2.Text(), "");
    EXPECT_EQ(rows(), NumberedRows(2));
}

// The "not found" text of a chart quotes the keyword box, not the chart, and the date is
// on show by the time the box appears.
TEST_F(ChartListTest, AnEmptyChartShowsItsDateThenNotFoundWithTheKeywordBox) {
    struct Case {
        std::string keywordBox;
        std::string date;
        std::string message;
        std::string label;
    };
    const Case cases[] = {
        {"", "2026-05-06", ansi(u"未找到歌曲【】"), ansi(u"更新时间:2026-05-06")},
        {ansi(u"远方 "), "2026-05-07", ansi(u"未找到歌曲【远方 】"), ansi(u"更新时间:2026-05-07")},
        {"x", "", ansi(u"未找到歌曲【x】"), ansi(u"更新时间:")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        showChart("2000-01-01", 3);
        server.Queue(kChartPath, {200, ChartJson(c.date, {})});
        form().edt1.SetText(c.keywordBox);
        std::string labelWhileShown;
        guitest::ModalBoxRecorder boxes(
            [&](const guitest::ModalBox&) { labelWhileShown = form().slb2.Text(); });
        guitest::Click(form().btn4);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        ExpectPlainBox(boxes.Boxes()[0], c.message);
        EXPECT_EQ(labelWhileShown, c.label);
        EXPECT_EQ(form().slb2.Text(), c.label);
        EXPECT_EQ(form().lv1.RowCount(), 0);
    }
}

TEST_F(ChartListTest, ADateOutsideTheCodePageShowsQuestionMarks) {
    server.Queue(kChartPath, {200, ChartJson("2026년 6월", NumberedSongs(1))});
    guitest::Click(form().btn5);
    EXPECT_EQ(form().slb2.Text(), ansi(u"更新时间:2026? 6?"));
}

// A second search window (the program never makes one) shows that the chart buttons
// work on the window `searchForm` refers to.
TEST_F(ChartListTest, TheChartButtonsFillTheWindowSearchFormRefersTo) {
    TsearchForm other(ServiceHosts::AllOn("127.0.0.1:1"));
    server.Queue(kChartPath, {200, ChartJson("2026-07-08", NumberedSongs(2))});
    guitest::Click(other.btn6);
    EXPECT_EQ(CurrentBillType, "23");
    EXPECT_EQ(rows(), NumberedRows(2));
    EXPECT_EQ(other.lv1.RowCount(), 0);
    EXPECT_EQ(other.slb2.Text(), "");
}

} // namespace
