#include "platform/codepage/codepage.h"
#include "platform/gui/edit_box.h"
#include "platform/gui/message_boxes.h"
#include "platform/gui/testing.h"
#include "platform/gui/window.h"

#include <gtest/gtest.h>

using namespace melvanto;
using namespace melvanto::gui;
using test::BoxIcon;
using test::BoxKind;
using test::Key;
using test::ShownBox;

namespace {

const std::string kDivider(27, '-');

TEST(ModalBoxRecorderTest, BoxesAreRecordedInOrderAndNotShown) {
    test::ModalBoxRecorder boxes;
    ShowPlainMessageBox("Melvanto", "a&b");
    ShowFailureBox("Melvanto", "failed.");
    ShowPlainMessageBox("Melvanto", "");
    ASSERT_EQ(boxes.Boxes().size(), 3u);
    const struct {
        BoxKind kind;
        BoxIcon icon;
        std::string text;
    } expected[] = {{BoxKind::Plain, BoxIcon::None, "a&b"},
                    {BoxKind::Failure, BoxIcon::Stop, "failed."},
                    {BoxKind::Plain, BoxIcon::None, ""}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(boxes.Boxes()[i].kind, expected[i].kind);
        EXPECT_EQ(boxes.Boxes()[i].icon, expected[i].icon);
        EXPECT_EQ(boxes.Boxes()[i].text, expected[i].text);
        EXPECT_EQ(boxes.Boxes()[i].caption, "Melvanto");
        EXPECT_EQ(boxes.Boxes()[i].buttons, std::vector<std::string>{"OK"});
    }
}

TEST(ModalBoxRecorderTest, TheInnermostRecorderAnswersAndTheOuterOneResumes) {
    test::ModalBoxRecorder outer;
    {
        std::vector<std::string> seen;
        test::ModalBoxRecorder inner([&](const test::ModalBox& box) { seen.push_back(box.text); });
        ShowPlainMessageBox("t", "inner");
        EXPECT_EQ(inner.Boxes().size(), 1u);
        EXPECT_EQ(seen, std::vector<std::string>{"inner"});
    }
    ShowPlainMessageBox("t", "outer");
    ASSERT_EQ(outer.Boxes().size(), 1u);
    EXPECT_EQ(outer.Boxes()[0].text, "outer");
}

// Shows the real plain dialog with the text and lets `look` inspect it.
void withPlainDialog(const std::string& text, const std::function<void(ShownBox&)>& look) {
    bool ran = false;
    test::ModalBoxDriver driver([&](ShownBox& box) {
        ran = true;
        look(box);
    });
    ShowPlainMessageBox("Melvanto", text);
    EXPECT_TRUE(ran);
}

TEST(PlainMessageBoxTest, AmpersandsUnderlineTheNextCharacterAndDoubledOnesShowOne) {
    struct Case {
        std::string text, shown, underlined;
    };
    const Case cases[] = {
        {"a&b", "ab", "b"},  {"x&&y", "x&y", ""},
        {"&&&z", "&z", "z"}, {"&Save &and go", "Save and go", "Sa"},
        {"end&", "end", ""}, {"no markers", "no markers", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        withPlainDialog(c.text, [&](ShownBox& box) {
            EXPECT_EQ(box.ShownText(), c.shown);
            EXPECT_EQ(box.UnderlinedText(), c.underlined);
        });
    }
}

TEST(PlainMessageBoxTest, ChineseTextCaptionNoIconOneDefaultOkButtonFixedAndCentred) {
    PinAnsiCodePageForTesting("GBK");
    const std::string text = WideToAnsi(u"请输入歌曲名称！");
    withPlainDialog(text, [&](ShownBox& box) {
        EXPECT_EQ(box.Kind(), BoxKind::Plain);
        EXPECT_EQ(box.Caption(), "Melvanto");
        EXPECT_EQ(box.Icon(), BoxIcon::None);
        EXPECT_EQ(box.ShownText(), text);
        EXPECT_EQ(box.Buttons(), std::vector<std::string>{"OK"});
        EXPECT_EQ(box.DefaultButton(), "OK");
        EXPECT_FALSE(box.IsResizable());
        const Rect screen = test::DesktopArea();
        const Point at = box.Position();
        const Size size = box.OuterSize();
        EXPECT_NEAR(at.x + size.width / 2, screen.left + screen.width / 2, 1);
        EXPECT_NEAR(at.y + size.height / 2, screen.top + screen.height / 2, 1);
    });
    PinAnsiCodePageForTesting("");
}

TEST(PlainMessageBoxTest, TabsAreExpandedAndLineBreaksKept) {
    withPlainDialog("a\tb\r\nabcdefghi\tc\nx", [](ShownBox& box) {
        EXPECT_EQ(box.ShownText(), "a       b\nabcdefghi       c\nx");
    });
}

TEST(PlainMessageBoxTest, LongTextWrapsAtHalfTheScreenWidth) {
    std::string longText;
    for (int i = 0; i < 80; ++i)
        longText += "word ";
    Size shortSize, longSize;
    withPlainDialog("short", [&](ShownBox& box) { shortSize = box.OuterSize(); });
    withPlainDialog(longText, [&](ShownBox& box) { longSize = box.OuterSize(); });
    const int half = test::DesktopArea().width / 2;
    EXPECT_LE(longSize.width, half + 60); // the text itself at most half, plus the margins
    EXPECT_GT(longSize.width, half / 2);
    EXPECT_GT(longSize.height, shortSize.height + 30); // several lines
}

TEST(PlainMessageBoxTest, EnterEscAndTheCloseBoxEachCloseIt) {
    const std::function<void(ShownBox&)> answers[] = {
        [](ShownBox& box) { box.PressKey(Key::Enter); },
        [](ShownBox& box) { box.PressKey(Key::Escape); },
        [](ShownBox& box) { box.CloseFromTitleBar(); },
    };
    for (size_t i = 0; i < std::size(answers); ++i) {
        SCOPED_TRACE(i);
        bool closed = false;
        withPlainDialog("m", [&](ShownBox& box) {
            answers[i](box);
            closed = !box.IsOpen();
        });
        EXPECT_TRUE(closed);
    }
}

TEST(PlainMessageBoxTest, CtrlCPutsTheDialogOnTheClipboardAsText) {
    for (const std::string& text :
         {std::string("请选择要下载的歌曲!"), std::string("a&b\tc"), std::string("")}) {
        SCOPED_TRACE(text);
        withPlainDialog(text, [](ShownBox& box) {
            box.PressKey(Key::CtrlC);
            EXPECT_TRUE(box.IsOpen());
        });
        // The message as given ("&" and tab included), the button without "&".
        EXPECT_EQ(test::ClipboardText(), kDivider + "\nMelvanto\n" + kDivider + "\n" + text + "\n" +
                                             kDivider + "\nOK   \n" + kDivider + "\n");
    }
}

TEST(FailureBoxTest, StopIconCaptionOneOkAndEveryAmpersandShown) {
    bool ran = false;
    test::ModalBoxDriver driver([&](ShownBox& box) {
        ran = true;
        EXPECT_EQ(box.Kind(), BoxKind::Failure);
        EXPECT_EQ(box.Caption(), "Melvanto");
        EXPECT_EQ(box.Icon(), BoxIcon::Stop);
        EXPECT_EQ(box.ShownText(), "a&b && c&.");
        EXPECT_EQ(box.UnderlinedText(), "");
        EXPECT_EQ(box.Buttons(), std::vector<std::string>{"OK"});
        box.PressKey(Key::Enter);
        EXPECT_FALSE(box.IsOpen());
    });
    ShowFailureBox("Melvanto", "a&b && c&.");
    EXPECT_TRUE(ran);
}

TEST(FailureBoxTest, FocusReturnsToWhereItWas) {
    Window window("w", {300, 200}, Font{u"MS Sans Serif", 11});
    EditBox first(window, "edt1", {0, 0, 100, 27}, Font{u"MS Sans Serif", 11});
    EditBox second(window, "edt2", {0, 40, 100, 27}, Font{u"MS Sans Serif", 11});
    window.Show();
    test::Focus(second);
    test::ProcessEvents();
    ASSERT_EQ(test::FocusedWidgetName(), "edt2");

    std::string focusWhileOpen;
    test::ModalBoxDriver driver([&](ShownBox& box) {
        focusWhileOpen = test::FocusedWidgetName();
        box.PressKey(Key::Escape);
    });
    ShowFailureBox("Melvanto", "x");
    test::ProcessEvents();
    EXPECT_NE(focusWhileOpen, "edt2");
    EXPECT_EQ(test::FocusedWidgetName(), "edt2");
}

} // namespace
