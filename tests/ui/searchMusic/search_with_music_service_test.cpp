// The search window against the real stand-in music service.

#include "search_window_fixture.h"
#include "support/music_service_process.h"

#include <algorithm>

using namespace melvanto;
using namespace melvanto::search_test;

namespace {

bool isDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

class SearchWithMusicServiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_service = new melvanto::testing::MusicServiceProcess(MUSIC_SERVICE_PATH, {});
    }
    static void TearDownTestSuite() {
        delete s_service;
        s_service = nullptr;
    }

    void SetUp() override {
        ASSERT_GT(s_service->Port(), 0) << "music-service did not start";
        PinAnsiCodePageForTesting("GBK");
        application.Own(std::make_unique<TsearchForm>(ServiceHosts::AllOn(s_service->Host())),
                        searchForm);
    }
    void TearDown() override {
        CurrentBillType.clear();
        PinAnsiCodePageForTesting("");
    }

    std::vector<std::string> row(int index) const { return searchForm->lv1.Row(index); }

    static melvanto::testing::MusicServiceProcess* s_service;
    Application application;
};

melvanto::testing::MusicServiceProcess* SearchWithMusicServiceTest::s_service = nullptr;

TEST_F(SearchWithMusicServiceTest, AKeywordThatExistsListsItsSongs) {
    guitest::ModalBoxRecorder boxes;
    searchForm->edt1.SetText(ansi(u"远方"));
    guitest::Click(searchForm->btn1);
    EXPECT_TRUE(boxes.Boxes().empty());
    ASSERT_GT(searchForm->lv1.RowCount(), 0);
    for (int i = 0; i < searchForm->lv1.RowCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(isDigits(row(i)[0])) << row(i)[0];
        const std::u16string nameAndArtist = AnsiToWide(row(i)[1] + " " + row(i)[2]);
        EXPECT_NE(nameAndArtist.find(u"远方"), std::u16string::npos);
    }
    EXPECT_EQ(searchForm->slb2.Text(), "");
}

TEST_F(SearchWithMusicServiceTest, EachChartListsAHundredSongsWithItsDate) {
    guitest::ModalBoxRecorder boxes;
    std::vector<std::string> firstIds;
    for (gui::Button* button :
         {&searchForm->btn2, &searchForm->btn3, &searchForm->btn4, &searchForm->btn5,
          &searchForm->btn6, &searchForm->btn7, &searchForm->btn8}) {
        SCOPED_TRACE(button->Name());
        guitest::Click(*button);
        ASSERT_EQ(searchForm->lv1.RowCount(), 100);
        for (int i = 0; i < 100; ++i) {
            EXPECT_TRUE(isDigits(row(i)[0])) << i;
            EXPECT_FALSE(row(i)[1].empty()) << i;
            EXPECT_FALSE(row(i)[2].empty()) << i;
        }
        const std::string label = searchForm->slb2.Text();
        EXPECT_EQ(label.rfind(ansi(u"更新时间:2026-"), 0), 0u) << label;
        firstIds.push_back(row(0)[0] + "," + row(1)[0] + "," + row(2)[0]);
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    // Seven different charts, not one chart seven times.
    std::sort(firstIds.begin(), firstIds.end());
    EXPECT_EQ(std::unique(firstIds.begin(), firstIds.end()), firstIds.end());
}

TEST_F(SearchWithMusicServiceTest, ADoubleClickOnAChartSongOpensItsDetailWindow) {
    guitest::ModalBoxRecorder boxes;
    guitest::Click(searchForm->btn3);
    ASSERT_EQ(searchForm->lv1.RowCount(), 100);
    searchForm->Show();
    guitest::DoubleClick(searchForm->lv1, 7);
    EXPECT_EQ(CurrentSongId, row(7)[0]);
    ASSERT_NE(dlForm, nullptr);
    EXPECT_TRUE(dlForm->IsVisible());
    EXPECT_TRUE(boxes.Boxes().empty());
}

} // namespace
