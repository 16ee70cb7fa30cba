#include "detail_window_test.h"

#include "platform/browser/browser.h"

using namespace melvanto;
using namespace melvanto::detail_test;

namespace {

class DetailWindowLinks : public DetailWindowTest {
protected:
    void SetUp() override {
        DetailWindowTest::SetUp();
        SubstituteBrowserForTesting([this](const std::string& text) { opened.push_back(text); });
    }
    void TearDown() override {
        SubstituteBrowserForTesting({});
        DetailWindowTest::TearDown();
    }

    std::vector<std::string> opened;
};

TEST_F(DetailWindowLinks, EachDownloadButtonHandsItsBoxTextUnchanged) {
    // Spaces, quotes, "&", ";" and Chinese mean nothing special: the text is one argument.
    const char* songLink = "http://file.example/a b/\"x\"&y=1;z 晴天.mp3";
    const char* lrcLink = "/lrc/it's (live) & more.lrc";
    QueueReply(SongLinkReply({With(With(DefaultSong(), "songLink", JsonString(songLink)), "lrcLink",
                                   JsonString(lrcLink))}));
    TdlForm& form = OpenWindow();
    ASSERT_TRUE(boxes.Boxes().empty());

    gt::Click(form.btn1);
    EXPECT_EQ(opened, std::vector<std::string>{Ansi(songLink)});
    gt::Click(form.btn2);
    EXPECT_EQ(opened, (std::vector<std::string>{Ansi(songLink), LyricBase() + lrcLink}));
    EXPECT_EQ(opened[0], form.edt1.Text());
    EXPECT_EQ(opened[1], form.edt2.Text());
}

TEST_F(DetailWindowLinks, ADisabledDownloadButtonOpensNothing) {
    QueueReply(SongLinkReply({With(With(DefaultSong(), "songLink", "\"\""), "lrcLink", "\"\"")}));
    TdlForm& form = OpenWindow();
    gt::Click(form.btn1);
    gt::Click(form.btn2);
    EXPECT_TRUE(opened.empty());
}

TEST_F(DetailWindowLinks, AfterAFailedFirstFetchTheButtonsHandOverEmptyTexts) {
    QueueReply(SongLinkReply("22001", {}));
    TdlForm& form = OpenWindow();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    gt::Click(form.btn1);
    gt::Click(form.btn2);
    EXPECT_EQ(opened, (std::vector<std::string>{"", ""}));
}

} // namespace
