// "搜索": the keyword search and what it does to the list and the update-date label.

#include "search_window_fixture.h"

using namespace melvanto;
using namespace melvanto::search_test;

namespace {

using KeywordSearchTest = SearchWindowTest;

TEST_F(KeywordSearchTest, AnEmptyKeywordAsksForANameAndChangesNothing) {
    showChart("2026-03-01", 3);
    server.ClearTargets();
    const std::string date = form().slb2.Text();

    guitest::ModalBoxRecorder boxes;
    search("");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    ExpectPlainBox(boxes.Boxes()[0], ansi(u"请输入歌曲名称！"));
    EXPECT_EQ(rows(), NumberedRows(3));
    EXPECT_EQ(form().slb2.Text(), date);
    EXPECT_TRUE(server.Targets().empty());
}

TEST_F(KeywordSearchTest, TheKeywordIsSentFormEncodedAndQuotedWhenNothingIsFound) {
    struct Case {
        std::string keyword; // as the box holds it (GBK)
        std::string encoded;
    };
    const Case cases[] = {
        {"   ", "+++"}, // spaces only is not empty
        {"a b&c", "a+b%26c"},
        {"#=+~/%", "%23%3D%2B%7E%2F%25"},
        {"it's (live)!", "it's+(live)!"},
        {ansi(u"歌 远方"), "%E6%AD%8C+%E8%BF%9C%E6%96%B9"},
    };
    server.Reply(kSuggestionPath, {200, SuggestionJson({})});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoded);
        server.ClearTargets();
        guitest::ModalBoxRecorder boxes;
        search(c.keyword);
        EXPECT_EQ(server.Targets(), (std::vector<std::string>{"/info/suggestion?word=" + c.encoded +
                                                              "&format=json&version=2&from=0"}));
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        ExpectPlainBox(boxes.Boxes()[0], ansi(u"未找到歌曲【") + c.keyword + ansi(u"】"));
        EXPECT_EQ(form().lv1.RowCount(), 0);
    }
}

TEST_F(KeywordSearchTest, SongsFillTheListInReplyOrder) {
    server.Reply(kSuggestionPath,
                 {200, SuggestionJson({Quoted("877578", "远方的歌", "林 一"),
                                       Quoted("12", "Night River", "Nora"),
                                       Quoted("", "", ""), // empty texts: empty cells
                                       Quoted("3", "海边", "月光乐队")})});
    guitest::ModalBoxRecorder boxes;
    search("a");
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{
                          {"877578", ansi(u"远方的歌"), ansi(u"林 一")},
                          {"12", "Night River", "Nora"},
                          {"", "", ""},
                          {"3", ansi(u"海边"), ansi(u"月光乐队")},
                      }));
    EXPECT_EQ(form().lv1.SelectedRow(), std::nullopt);
}

TEST_F(KeywordSearchTest, NumericSongIdsShowTheSameDigitsAsStrings) {
    server.Reply(kSuggestionPath, {200, SuggestionJson({{"877578", "\"a\"", "\"b\""},
                                                        {"\"877578\"", "\"a\"", "\"b\""},
                                                        {"0", "\"c\"", "\"d\""},
                                                        {"2147483648", "\"e\"", "\"f\""}})});
    search("a");
    EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{{"877578", "a", "b"},
                                                             {"877578", "a", "b"},
                                                             {"0", "c", "d"},
                                                             {"2147483648", "e", "f"}}));
}

TEST_F(KeywordSearchTest, ASearchEmptiesTheListAndTheDateBeforeItsRequest) {
    showChart("2026-03-01", 5);
    ASSERT_EQ(form().slb2.Text(), ansi(u"更新时间:2026-03-01"));
    server.Reply(kSuggestionPath, {200, SuggestionJson(NumberedSongs(2))});
    search("a");
    EXPECT_EQ(rows(), NumberedRows(2));
    EXPECT_EQ(form().slb2.Text(), "");
    EXPECT_EQ(form().slb2.Geometry().width, 0);
}

TEST_F(KeywordSearchTest, EnterInTheKeywordBoxStartsNoSearch) {
    server.Reply(kSuggestionPath, {200, SuggestionJson(NumberedSongs(2))});
    form().Show();
    form().edt1.SetText("river");
    guitest::Focus(form().edt1);
    guitest::ModalBoxRecorder boxes;
    guitest::PressKey(form().edt1, guitest::Key::Enter);
    guitest::ProcessEvents();
    EXPECT_TRUE(server.Targets().empty());
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(form().lv1.RowCount(), 0);
    EXPECT_EQ(form().edt1.Text(), "river");
}

// Under code page 936 Hangul cannot be shown: a literal one is lost when the reply passes
// through the code page, an escaped one when the window shows it. Chinese survives both.
TEST_F(KeywordSearchTest, CharactersOutsideTheCodePageShowAsQuestionMarks) {
    struct Case {
        const char* how;
        std::string name;   // JSON string contents
        std::string artist; // JSON string contents
    };
    const Case cases[] = {
        {"literal", "한국 노래 中文", "가수"},
        {"escaped", "\\ud55c\\uad6d \\ub178\\ub798 \\u4e2d\\u6587", "\\uac00\\uc218"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        server.Reply(kSuggestionPath, {200, SuggestionJson({Quoted("7", c.name, c.artist)})});
        search("k");
        EXPECT_EQ(rows(),
                  (std::vector<std::vector<std::string>>{{"7", ansi(u"?? ?? 中文"), "??"}}));
    }
}

} // namespace
