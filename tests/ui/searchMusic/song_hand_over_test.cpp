// The double-click in the song list: the chosen song goes to a new detail window.

#include "search_window_fixture.h"

using namespace melvanto;
using namespace melvanto::search_test;

namespace {

class SongHandOverTest : public SearchWindowTest {
protected:
    void SetUp() override {
        SearchWindowTest::SetUp();
        showChart("2026-09-10", 5);
        form().Show();
        server.ClearTargets();
    }
};

std::string songLinkTarget(const std::string& id) {
    return "/data/music/fmlink?songIds=" + id + "&rate=320&format=json&type=flac";
}

TEST_F(SongHandOverTest, WithNoRowSelectedItAsksForASongAndLeavesTheDetailWindowsAlone) {
    CurrentSongId = "earlier";
    {
        guitest::ModalBoxRecorder boxes;
        guitest::DoubleClick(form().lv1, std::nullopt);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        ExpectPlainBox(boxes.Boxes()[0], ansi(u"请选择要下载的歌曲!"));
    }
    EXPECT_EQ(dlForm, nullptr);
    EXPECT_EQ(application.WindowCount(), 1u);
    EXPECT_EQ(CurrentSongId, "earlier");
    EXPECT_TRUE(server.Targets().empty());

    // With a detail window open, it stays open and stays the current one.
    guitest::ModalBoxRecorder boxes;
    guitest::DoubleClick(form().lv1, 1);
    TdlForm* open = dlForm;
    ASSERT_NE(open, nullptr);
    const size_t boxesBefore = boxes.Boxes().size();
    guitest::DoubleClick(form().lv1, std::nullopt);
    ASSERT_EQ(boxes.Boxes().size(), boxesBefore + 1);
    ExpectPlainBox(boxes.Boxes().back(), ansi(u"请选择要下载的歌曲!"));
    EXPECT_EQ(dlForm, open);
    EXPECT_TRUE(open->IsVisible());
    EXPECT_EQ(application.WindowCount(), 2u);
    EXPECT_EQ(CurrentSongId, "1001");
}

TEST_F(SongHandOverTest, EachDoubleClickHandsItsRowToANewDetailWindowAndHidesTheOldOne) {
    server.Reply(kSongLinkPath, {200, R"({"errorCode":22005})"});
    guitest::ModalBoxRecorder boxes;
    std::vector<TdlForm*> windows;
    for (int row : {3, 0, 3}) {
        SCOPED_TRACE(row);
        server.ClearTargets();
        guitest::DoubleClick(form().lv1, row);
        const std::string id = std::to_string(1000 + row);
        EXPECT_EQ(CurrentSongId, id);
        ASSERT_NE(dlForm, nullptr);
        EXPECT_TRUE(dlForm->IsVisible());
        for (TdlForm* earlier : windows) {
            EXPECT_NE(earlier, dlForm);
            EXPECT_FALSE(earlier->IsVisible());
        }
        windows.push_back(dlForm);
        EXPECT_EQ(server.Targets(), (std::vector<std::string>{songLinkTarget(id)}));
    }
    EXPECT_EQ(application.WindowCount(), 4u);
    for (const guitest::ModalBox& box : boxes.Boxes())
        EXPECT_NE(box.text, ansi(u"请选择要下载的歌曲!"));
}

// The song-link path is not scripted: the detail window's request gets a 404 page.
TEST_F(SongHandOverTest, ASongLinkRequestThatFailsIsReportedAndTheWindowStillOpens) {
    bool detailShownDuringBox = true;
    guitest::ModalBoxRecorder boxes([&](const guitest::ModalBox&) {
        detailShownDuringBox = dlForm != nullptr && dlForm->IsVisible();
    });
    guitest::DoubleClick(form().lv1, 2);
    EXPECT_EQ(server.Targets(), (std::vector<std::string>{songLinkTarget("1002")}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].kind, guitest::BoxKind::Failure);
    EXPECT_EQ(boxes.Boxes()[0].text.rfind("Reply cannot be read: ", 0), 0u)
        << boxes.Boxes()[0].text;
    EXPECT_FALSE(detailShownDuringBox); // reported before the window is shown
    ASSERT_NE(dlForm, nullptr);
    EXPECT_TRUE(dlForm->IsVisible());
    EXPECT_EQ(CurrentSongId, "1002");
}

TEST_F(SongHandOverTest, ARefilledListHasNoSelection) {
    guitest::ModalBoxRecorder boxes;
    guitest::DoubleClick(form().lv1, 4);
    ASSERT_EQ(form().lv1.SelectedRow(), 4);
    server.Reply(kSuggestionPath, {200, SuggestionJson(NumberedSongs(6))});
    server.Reply(kChartPath, {200, ChartJson("2026-09-11", NumberedSongs(6))});
    for (gui::Button* button : {&form().btn1, &form().btn7}) {
        SCOPED_TRACE(button->Name());
        form().edt1.SetText("a");
        guitest::Click(*button);
        EXPECT_EQ(form().lv1.RowCount(), 6);
        EXPECT_EQ(form().lv1.SelectedRow(), std::nullopt);
        guitest::Focus(form().lv1);
        EXPECT_EQ(form().lv1.SelectedRow(), std::nullopt);
        guitest::DoubleClick(form().lv1, 5); // select again for the next button
    }
}

// Without an application object no detail window can be built: the hand-over fails
// outside the creation handler, and the user is asked to choose a song.
TEST(SongHandOverWithoutApplicationTest, AWindowThatCannotBeBuiltAsksForASong) {
    PinAnsiCodePageForTesting("GBK");
    melvanto::test::LoopbackHttpServer server;
    server.Reply(kChartPath, {200, ChartJson("2026-09-12", NumberedSongs(2))});
    TsearchForm form(ServiceHosts::AllOn(server.Host()));
    searchForm = &form;
    guitest::Click(form.btn2);
    ASSERT_EQ(form.lv1.RowCount(), 2);
    form.Show();
    {
        guitest::ModalBoxRecorder boxes;
        guitest::DoubleClick(form.lv1, 1);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].kind, guitest::BoxKind::Plain);
        EXPECT_EQ(boxes.Boxes()[0].text, ansi(u"请选择要下载的歌曲!"));
    }
    EXPECT_EQ(dlForm, nullptr);
    EXPECT_EQ(CurrentSongId, "1001");
    searchForm = nullptr;
    CurrentSongId.clear();
    CurrentBillType.clear();
    PinAnsiCodePageForTesting("");
}

} // namespace
