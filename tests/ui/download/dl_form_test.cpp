#include "app/application.h"
#include "platform/codepage/codepage.h"
#include "platform/gui/testing.h"
#include "ui/download/dl_form.h"

#include <gtest/gtest.h>

using namespace melvanto;
namespace test = melvanto::gui::test;

namespace {

std::string ansi(const char16_t* text) {
    return WideToAnsi(text);
}

const gui::Font kYaHei13{u"微软雅黑", 13};
const gui::Font kYaHei13Black{u"微软雅黑", 13, false, gui::kBlack};
const gui::Font kYaHei19Black{u"微软雅黑", 19, false, gui::kBlack};

class TdlFormTest : public ::testing::Test {
protected:
    void TearDown() override { PinAnsiCodePageForTesting(""); }
    Application application;
};

TEST_F(TdlFormTest, WindowAsLaidOut) {
    TdlForm form{ServiceHosts{}};
    EXPECT_EQ(form.Caption(), ansi(u"下载"));
    EXPECT_EQ(form.ClientSize(), (gui::Size{564, 448}));
    EXPECT_EQ(form.DefaultFont(), (gui::Font{u"MS Sans Serif", 11}));
    const test::FrameTraits frame = test::Frame(form);
    EXPECT_TRUE(frame.sizeable && frame.systemMenu && frame.closeBox);
    EXPECT_FALSE(frame.minimizeBox || frame.maximizeBox);
    EXPECT_EQ(form.BackgroundColour(), gui::Resolve(gui::SystemColour::ButtonFace));
}

TEST_F(TdlFormTest, LabelsAsLaidOut) {
    PinAnsiCodePageForTesting("GBK");
    TdlForm form{ServiceHosts{}};
    struct Case {
        const char* name;
        gui::Rect rect;
        std::string text;
        gui::Font font;
    };
    const Case cases[] = {
        {"slb1", {8, 16, 361, 33}, ansi(u"歌曲"), gui::Font{u"微软雅黑", 21, true, gui::kRed}},
        {"slb3", {8, 64, 361, 28}, "   ", kYaHei19Black},
        {"slb2", {8, 117, 361, 28}, "   ", kYaHei19Black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gui::Label& label = form.Find<gui::Label>(c.name);
        EXPECT_EQ(label.Geometry(), c.rect);
        EXPECT_EQ(label.Text(), c.text);
        EXPECT_EQ(label.TextFont(), c.font);
        // Fixed size: a long text does not change it.
        label.SetText(ansi(u"一段很长很长很长很长很长很长很长很长很长很长很长很长的文字"));
        EXPECT_EQ(label.Geometry(), c.rect);
    }
    EXPECT_EQ(form.slb1.TextColour(), gui::kRed);
    EXPECT_EQ(form.slb3.TextColour(), gui::kBlack);
}

TEST_F(TdlFormTest, GroupBoxesButtonsAndEditBoxesAsLaidOut) {
    PinAnsiCodePageForTesting("GBK");
    TdlForm form{ServiceHosts{}};
    struct Group {
        const char* name;
        gui::Rect rect;
        std::string caption;
    };
    const Group groups[] = {
        {"grp3", {8, 166, 529, 73}, ansi(u"歌曲音质")},
        {"grp1", {8, 242, 529, 73}, ansi(u"歌曲下载地址")},
        {"grp2", {8, 326, 529, 73}, ansi(u"歌词下载地址")},
    };
    for (const Group& g : groups) {
        SCOPED_TRACE(g.name);
        gui::GroupBox& box = form.Find<gui::GroupBox>(g.name);
        EXPECT_EQ(box.Geometry(), g.rect);
        EXPECT_EQ(box.Caption(), g.caption);
        EXPECT_EQ(box.TextFont(), kYaHei13);
        EXPECT_EQ(box.TextColour(), gui::Resolve(gui::SystemColour::WindowText));
    }

    struct ButtonCase {
        const char* name;
        gui::Rect rect; // relative to its group box
        std::string caption;
    };
    const ButtonCase buttons[] = {
        {"btn3", {11, 32, 129, 25}, ansi(u"普通音质(128kpbs)")},
        {"btn4", {148, 32, 129, 25}, ansi(u"中等音质(192kpbs)")},
        {"btn5", {287, 32, 129, 25}, ansi(u"超高音质(320kpbs)")},
        {"btn6", {423, 32, 98, 25}, ansi(u"无损音质(flac)")},
        {"btn1", {449, 32, 49, 25}, ansi(u"下载")},
        {"btn2", {448, 32, 49, 25}, ansi(u"下载")},
    };
    for (const ButtonCase& b : buttons) {
        SCOPED_TRACE(b.name);
        gui::Button& button = form.Find<gui::Button>(b.name);
        EXPECT_EQ(button.Geometry(), b.rect);
        EXPECT_EQ(button.Caption(), b.caption);
        EXPECT_EQ(button.TextFont(), kYaHei13);
        EXPECT_TRUE(button.IsEnabled());
    }

    for (const char* name : {"edt1", "edt2"}) {
        SCOPED_TRACE(name);
        gui::EditBox& edit = form.Find<gui::EditBox>(name);
        EXPECT_EQ(edit.Geometry(), (gui::Rect{8, 32, 417, 27}));
        EXPECT_EQ(edit.Text(), "");
        EXPECT_TRUE(edit.IsReadOnly());
        EXPECT_EQ(edit.BackgroundColour(), gui::kWhite);
        EXPECT_EQ(edit.TextFont(), kYaHei13Black);
    }

    EXPECT_EQ(form.img1.Geometry(), (gui::Rect{384, 8, 150, 150}));
    EXPECT_EQ(form.img1.CurrentPicture(), nullptr);
}

TEST_F(TdlFormTest, TheGroupsArePlacedInTheWindowWhereTheLayoutSays) {
    TdlForm form{ServiceHosts{}};
    form.Show();
    const gui::PictureBitmap shot = test::Grab(form);
    // Inside each read-only edit box: white at window position group + box offset.
    for (int groupTop : {242, 326}) {
        SCOPED_TRACE(groupTop);
        EXPECT_EQ(shot.At(8 + 8 + 200, groupTop + 32 + 13),
                  (gui::PictureBitmap::Pixel{255, 255, 255}));
    }
    // The empty image box shows the window's background.
    const gui::Rgb face = gui::Resolve(gui::SystemColour::ButtonFace);
    EXPECT_EQ(shot.At(384 + 75, 8 + 75),
              (gui::PictureBitmap::Pixel{face.red, face.green, face.blue}));
}

TEST_F(TdlFormTest, TabWalksTheAddressGroupsThenTheQualityGroup) {
    TdlForm form{ServiceHosts{}};
    form.Show();
    test::ProcessEvents();
    std::vector<std::string> visited{test::FocusedWidgetName()};
    for (int i = 0; i < 8; ++i) {
        test::PressKey(form.Find<gui::Widget>(visited.back()), test::Key::Tab);
        visited.push_back(test::FocusedWidgetName());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"edt1", "btn1", "edt2", "btn2", "btn3", "btn4",
                                                 "btn5", "btn6", "edt1"}));
}

} // namespace
