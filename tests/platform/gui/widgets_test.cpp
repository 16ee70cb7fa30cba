#include "platform/codepage/codepage.h"
#include "platform/gui/button.h"
#include "platform/gui/edit_box.h"
#include "platform/gui/group_box.h"
#include "platform/gui/label.h"
#include "platform/gui/testing.h"
#include "platform/gui/window.h"

#include <gtest/gtest.h>

using namespace melvanto;
using namespace melvanto::gui;

namespace {

const Font kSans{u"MS Sans Serif", 11};
const Font kYaHei13{u"微软雅黑", 13};

class WidgetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetFailureHandler(
            [this](const Exception& failure) { failures.push_back(failure.Message()); });
    }
    void TearDown() override {
        SetFailureHandler({});
        PinAnsiCodePageForTesting("");
    }

    std::vector<std::string> failures;
    Window window{"widgets", {400, 300}, kSans};
};

TEST_F(WidgetsTest, TextsPassThroughTheAnsiCodePage) {
    PinAnsiCodePageForTesting("GBK");
    Label label(window, "lbl1", {0, 0, 200, 19}, "", kYaHei13);
    EditBox edit(window, "edt1", {0, 20, 200, 27}, kYaHei13);
    struct Case {
        const char16_t* set;
        const char16_t* reads;
    };
    const Case cases[] = {
        {u"歌曲名：", u"歌曲名："},
        {u"abc 123", u"abc 123"},
        {u"한국 노래", u"?? ??"}, // Hangul has no place in code page 936
        {u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.set));
        label.SetText(WideToAnsi(c.set));
        edit.SetText(WideToAnsi(c.set));
        EXPECT_EQ(label.Text(), WideToAnsi(c.reads));
        EXPECT_EQ(edit.Text(), WideToAnsi(c.reads));
    }
}

TEST_F(WidgetsTest, ALabelSizedToItsTextFollowsItsWidthOnly) {
    Label fixed(window, "lbl1", {10, 436, 117, 19}, "x", kYaHei13);
    Label sized(window, "slb2", {10, 436, 0, 19}, "", kYaHei13, LabelOptions{.sizedToText = true});
    EXPECT_EQ(sized.Geometry(), (Rect{10, 436, 0, 19}));

    sized.SetText(WideToAnsi(u"更新时间:2014-06-01"));
    const Rect wide = sized.Geometry();
    EXPECT_GT(wide.width, 60);
    EXPECT_EQ(wide.height, 19);
    sized.SetText("1");
    EXPECT_LT(sized.Geometry().width, wide.width);
    EXPECT_GT(sized.Geometry().width, 0);

    fixed.SetText(WideToAnsi(u"一段比标签宽得多的文字一段比标签宽得多的文字"));
    EXPECT_EQ(fixed.Geometry(), (Rect{10, 436, 117, 19}));
}

TEST_F(WidgetsTest, FontsColoursAndAlignmentAsGiven) {
    const Font red{u"微软雅黑", 21, true, kRed};
    const Font shadow{u"MS Sans Serif", 13, false, SystemColour::DarkShadow3D};
    Label title(window, "slb1", {8, 16, 361, 33}, "x", red);
    Label footer(window, "lbl1", {0, 256, 400, 16}, "x", shadow,
                 LabelOptions{.alignment = Alignment::Centre});
    Label plain(window, "lbl2", {0, 0, 10, 10}, "x", kYaHei13);

    EXPECT_EQ(title.TextFont(), red);
    EXPECT_EQ(title.TextColour(), kRed);
    EXPECT_EQ(footer.TextColour(), Resolve(SystemColour::DarkShadow3D));
    EXPECT_EQ(footer.TextAlignment(), Alignment::Centre);
    EXPECT_EQ(plain.TextColour(), Resolve(SystemColour::WindowText));
    EXPECT_EQ(plain.TextAlignment(), Alignment::Left);
}

TEST_F(WidgetsTest, FontNamesOfTheLayoutsResolveToInstalledFamilies) {
    const std::u16string yahei = test::ResolvedFontFamily(kYaHei13);
    EXPECT_TRUE(test::FamilyCoversChinese(yahei)) << WideToUtf8(yahei);
    const std::u16string sans = test::ResolvedFontFamily(kSans);
    EXPECT_FALSE(sans.empty());
    EXPECT_NE(sans, u"MS Sans Serif");
}

TEST_F(WidgetsTest, EditBoxesAreWhiteAndReadOnlyWhenAsked) {
    EditBox editable(window, "edt1", {0, 0, 100, 27}, kYaHei13);
    EditBox readOnly(window, "edt2", {0, 30, 100, 27}, Font{u"微软雅黑", 13, false, kBlack},
                     EditMode::ReadOnly);
    EXPECT_FALSE(editable.IsReadOnly());
    EXPECT_TRUE(readOnly.IsReadOnly());
    EXPECT_EQ(editable.BackgroundColour(), kWhite);
    EXPECT_EQ(readOnly.BackgroundColour(), kWhite);
    EXPECT_EQ(readOnly.TextColour(), kBlack);
    readOnly.SetText("http://host/a b&c");
    EXPECT_EQ(readOnly.Text(), "http://host/a b&c");
}

TEST_F(WidgetsTest, ADisabledButtonDeliversNoClick) {
    Button button(window, "btn1", {449, 32, 49, 25}, WideToAnsi(u"下载"), kYaHei13);
    int clicks = 0;
    button.OnClick([&] { ++clicks; });
    window.Show();

    const struct {
        bool enabled;
        int clicksAfter;
    } steps[] = {{true, 1}, {false, 1}, {false, 1}, {true, 2}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.enabled);
        button.SetEnabled(step.enabled);
        EXPECT_EQ(button.IsEnabled(), step.enabled);
        test::Click(button);
        EXPECT_EQ(clicks, step.clicksAfter);
    }
    EXPECT_EQ(button.Caption(), WideToAnsi(u"下载"));
}

TEST_F(WidgetsTest, AFailingClickHandlerIsReported) {
    Button button(window, "btn1", {0, 0, 70, 25}, "go", kYaHei13);
    button.OnClick([] { throw EConvertError("'x' is not a valid integer value"); });
    test::Click(button);
    EXPECT_EQ(failures, std::vector<std::string>{"'x' is not a valid integer value"});
}

TEST_F(WidgetsTest, EnterInAnEditBoxPressesNoButton) {
    EditBox edit(window, "edt1", {59, 10, 126, 27}, kYaHei13);
    Button button(window, "btn1", {195, 8, 70, 25}, "go", kYaHei13);
    int clicks = 0;
    button.OnClick([&] { ++clicks; });
    window.Show();
    test::Focus(edit);
    test::PressKey(edit, test::Key::Enter);
    EXPECT_EQ(clicks, 0);
}

TEST_F(WidgetsTest, GroupBoxChildrenArePlacedRelativeToTheBox) {
    GroupBox group(window, "grp1", {8, 242, 529, 73}, WideToAnsi(u"歌曲下载地址"), kYaHei13);
    EditBox edit(group, "edt1", {8, 32, 417, 27}, kYaHei13, EditMode::ReadOnly);
    Button button(group, "btn1", {449, 32, 49, 25}, "b", kYaHei13);
    EXPECT_EQ(group.Caption(), WideToAnsi(u"歌曲下载地址"));
    EXPECT_EQ(edit.Geometry(), (Rect{8, 32, 417, 27}));
    EXPECT_EQ(&window.Find<EditBox>("edt1"), &edit);

    // Drawn inside the box: the edit box's white shows at the box's offset plus its own.
    window.Show();
    const PictureBitmap shot = test::Grab(window);
    EXPECT_EQ(shot.At(8 + 8 + 200, 242 + 32 + 13), (PictureBitmap::Pixel{255, 255, 255}));
    EXPECT_NE(shot.At(8 + 8 + 200, 242 + 10), (PictureBitmap::Pixel{255, 255, 255}));
}

TEST_F(WidgetsTest, TabOrderFollowsTheGivenOrderAcrossGroupBoxes) {
    GroupBox grp1(window, "grp1", {0, 0, 200, 70}, "1", kYaHei13);
    GroupBox grp2(window, "grp2", {0, 80, 200, 70}, "2", kYaHei13);
    Button btn2(grp2, "btn2", {100, 30, 50, 25}, "b2", kYaHei13);
    EditBox edt2(grp2, "edt2", {8, 30, 80, 27}, kYaHei13);
    Button btn1(grp1, "btn1", {100, 30, 50, 25}, "b1", kYaHei13);
    EditBox edt1(grp1, "edt1", {8, 30, 80, 27}, kYaHei13);
    Label label(window, "lbl1", {0, 160, 50, 19}, "not focusable", kYaHei13);
    window.SetTabOrder({&edt1, &btn1, &edt2, &btn2});
    window.Show();
    test::ProcessEvents();
    EXPECT_EQ(test::FocusedWidgetName(), "edt1");

    const auto walk = [&] {
        std::vector<std::string> visited;
        for (int i = 0; i < 5; ++i) {
            test::PressKey(window.Find<Widget>(test::FocusedWidgetName()), test::Key::Tab);
            visited.push_back(test::FocusedWidgetName());
        }
        return visited;
    };
    EXPECT_EQ(walk(), (std::vector<std::string>{"btn1", "edt2", "btn2", "edt1", "btn1"}));
    btn2.SetEnabled(false);
    EXPECT_EQ(walk(), (std::vector<std::string>{"edt2", "edt1", "btn1", "edt2", "edt1"}));
}

} // namespace
