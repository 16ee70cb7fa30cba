#include "detail_window_test.h"

using namespace melvanto;
using namespace melvanto::detail_test;

namespace {

using DetailWindowQuality = DetailWindowTest;

std::string SongLinkTarget(const std::string& rate, const std::string& type) {
    return std::string(kSongLinkPath) + "?songIds=" + kSongId + "&rate=" + rate +
           "&format=json&type=" + type;
}

TEST_F(DetailWindowQuality, CreationAsksFor320FlacAndEachButtonForItsQuality) {
    server.Reply(kSongLinkPath, {200, SongLinkReply({DefaultSong()})});
    TdlForm& form = OpenWindow();
    EXPECT_EQ(server.Targets(), std::vector<std::string>{SongLinkTarget("320", "flac")});

    struct Case {
        gui::Button& button;
        const char* rate;
        const char* type;
    };
    const Case cases[] = {
        {form.btn3, "128", "mp3"},
        {form.btn4, "192", "mp3"},
        {form.btn5, "320", "mp3"},
        {form.btn6, "320", "flac"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button.Name());
        server.ClearTargets();
        gt::Click(c.button);
        EXPECT_EQ(server.Targets(), std::vector<std::string>{SongLinkTarget(c.rate, c.type)});
        EXPECT_EQ(CurrentRate, c.rate);
        EXPECT_EQ(CurrentType, c.type);
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DetailWindowQuality, EachNewWindowStartsAt320FlacAndTheOldOnesAreHidden) {
    server.Reply(kSongLinkPath, {200, SongLinkReply({DefaultSong()})});
    std::vector<TdlForm*> made;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        // Another quality was chosen before: by the window before, or by the first hand.
        if (made.empty()) {
            CurrentRate = "128";
            CurrentType = "mp3";
        } else {
            gt::Click(made.back()->btn3);
        }
        ASSERT_EQ(CurrentRate, "128");
        server.ClearTargets();
        made.push_back(&OpenWindow());
        EXPECT_EQ(CurrentRate, "320");
        EXPECT_EQ(CurrentType, "flac");
        EXPECT_EQ(server.Targets(), std::vector<std::string>{SongLinkTarget("320", "flac")});
    }
    EXPECT_EQ(dlForm, made[2]);
    EXPECT_FALSE(made[0]->IsVisible());
    EXPECT_FALSE(made[1]->IsVisible());
    EXPECT_TRUE(made[2]->IsVisible());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DetailWindowQuality, TheSongIdIsSentAsTheListShowsIt) {
    server.Reply(kSongLinkPath, {200, SongLinkReply({DefaultSong()})});
    CurrentSongId = "12&34";
    OpenWindow();
    EXPECT_EQ(server.Targets(), std::vector<std::string>{std::string(kSongLinkPath) +
                                                         "?songIds=12&34&rate=320&format=json"
                                                         "&type=flac"});
}

TEST_F(DetailWindowQuality, AllDetailWindowsKeepTheirRequestInOneSlot) {
    server.Reply(kSongLinkPath, {200, SongLinkReply({DefaultSong()})});
    TdlForm& first = OpenWindow();
    const THttpRequest* afterFirst = DownloadRequestSlot.Held();
    ASSERT_NE(afterFirst, nullptr);
    gt::Click(first.btn4);
    const THttpRequest* afterButton = DownloadRequestSlot.Held();
    EXPECT_NE(afterButton, afterFirst);
    OpenWindow();
    EXPECT_NE(DownloadRequestSlot.Held(), afterButton);
    EXPECT_NE(DownloadRequestSlot.Held(), nullptr);
}

} // namespace
