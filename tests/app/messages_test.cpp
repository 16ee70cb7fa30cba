#include "app/application.h"
#include "app/messages.h"
#include "platform/codepage/codepage.h"
#include "platform/gui/testing.h"

#include <gtest/gtest.h>

using namespace melvanto;
namespace test = melvanto::gui::test;

namespace {

class MessagesTest : public ::testing::Test {
protected:
    void TearDown() override { PinAnsiCodePageForTesting(""); }

    Application application;
};

TEST_F(MessagesTest, AFullStopFollowsAMessageEndingAfterTheFullStop) {
    struct Case {
        const char16_t* message;
        const char16_t* shown;
    };
    const Case cases[] = {
        {u"Connection refused", u"Connection refused."},     // letter
        {u"Socket Error # 10061", u"Socket Error # 10061."}, // digit
        {u"Why?", u"Why?."},                                 // "?" sorts after "."
        {u"连接失败", u"连接失败."},                         // Chinese character
        {u"Read Timeout/", u"Read Timeout/."},
        {u"Done.", u"Done."},
        {u"下载失败!", u"下载失败!"},
        {u"(HTTP/1.1 404)", u"(HTTP/1.1 404)"},
        {u"a,", u"a,"},
        {u"dash-", u"dash-"},
        {u"space ", u"space "},
        {u"", u""},
    };
    for (const char* codeset : {"GBK", "UTF-8"}) {
        PinAnsiCodePageForTesting(codeset);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(codeset) + ": " + WideToUtf8(c.message));
            test::ModalBoxRecorder boxes;
            ReportFailure(Exception(WideToAnsi(c.message)));
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].text, WideToAnsi(c.shown));
        }
    }
}

TEST_F(MessagesTest, BothBoxesAreCaptionedWithTheTitle) {
    test::ModalBoxRecorder boxes;
    ShowPlainMessage("x");
    ReportFailure(EConvertError("'abc' is not a valid integer value"));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].kind, test::BoxKind::Plain);
    EXPECT_EQ(boxes.Boxes()[0].icon, test::BoxIcon::None);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Melvanto");
    EXPECT_EQ(boxes.Boxes()[1].kind, test::BoxKind::Failure);
    EXPECT_EQ(boxes.Boxes()[1].icon, test::BoxIcon::Stop);
    EXPECT_EQ(boxes.Boxes()[1].caption, "Melvanto");
    EXPECT_EQ(boxes.Boxes()[1].text, "'abc' is not a valid integer value.");
    EXPECT_EQ(application.Title(), "Melvanto");
}

TEST_F(MessagesTest, ThePlainBoxUnderlinesAfterAmpersandAndTheFailureBoxShowsThemAll) {
    std::vector<std::pair<std::string, std::string>> shown; // text, underlined
    test::ModalBoxDriver driver([&](test::ShownBox& box) {
        shown.emplace_back(box.ShownText(), box.UnderlinedText());
        box.PressKey(test::Key::Enter);
    });
    ShowPlainMessage("a&b");
    ShowPlainMessage("R&&B");
    ReportFailure(Exception("a&b && c"));
    EXPECT_EQ(shown, (std::vector<std::pair<std::string, std::string>>{
                         {"ab", "b"}, {"R&B", ""}, {"a&b && c.", ""}}));
}

TEST_F(MessagesTest, CtrlCInThePlainBoxCopiesItsText) {
    test::ModalBoxDriver driver([](test::ShownBox& box) {
        box.PressKey(test::Key::CtrlC);
        box.PressKey(test::Key::Escape);
    });
    PinAnsiCodePageForTesting("GBK");
    const std::string text = WideToAnsi(u"请输入歌曲名称！");
    ShowPlainMessage(text);
    const std::string divider = std::string(27, '-') + "\n";
    EXPECT_EQ(test::ClipboardText(),
              divider + "Melvanto\n" + divider + text + "\n" + divider + "OK   \n" + divider);
}

} // namespace
