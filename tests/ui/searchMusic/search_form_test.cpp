#include "app/application.h"
#include "app/detail_window.h"
#include "platform/codepage/codepage.h"
#include "platform/gui/testing.h"
#include "ui/download/dl_form.h"
#include "ui/searchMusic/search_form.h"

#include <gtest/gtest.h>

using namespace melvanto;
namespace test = melvanto::gui::test;

namespace {

std::string ansi(const char16_t* text) {
    return WideToAnsi(text);
}

const gui::Font kYaHei13{u"微软雅黑", 13};

class TsearchFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        PinAnsiCodePageForTesting("GBK");
        application.CreateForm(searchForm);
    }
    void TearDown() override { PinAnsiCodePageForTesting(""); }

    Application application;
};

TEST_F(TsearchFormTest, TheMainWindowAsLaidOut) {
    EXPECT_TRUE(searchForm->IsMainWindow());
    EXPECT_EQ(searchForm->Caption(), "Melvanto");
    EXPECT_EQ(searchForm->ClientSize(), (gui::Size{567, 514}));
    EXPECT_EQ(searchForm->DefaultFont(), (gui::Font{u"MS Sans Serif", 11}));
    const test::FrameTraits frame = test::Frame(*searchForm);
    EXPECT_TRUE(frame.sizeable && frame.systemMenu && frame.closeBox);
    EXPECT_FALSE(frame.minimizeBox || frame.maximizeBox);
    EXPECT_EQ(CurrentBillType, "");
}

TEST_F(TsearchFormTest, ButtonsAsLaidOut) {
    struct Case {
        const char* name;
        gui::Rect rect;
        std::string caption;
    };
    const Case cases[] = {
        {"btn1", {195, 8, 70, 25}, ansi(u"搜索")},
        {"btn2", {3, 400, 70, 25}, ansi(u"新歌榜")},
        {"btn3", {81, 400, 70, 25}, ansi(u"热歌榜")},
        {"btn4", {159, 400, 70, 25}, ansi(u"欧美金曲榜")},
        {"btn5", {237, 400, 70, 25}, ansi(u"经典老歌榜")},
        {"btn6", {318, 400, 70, 25}, ansi(u"情歌对唱榜")},
        {"btn7", {398, 400, 70, 25}, ansi(u"影视金曲榜")},
        {"btn8", {475, 400, 70, 25}, ansi(u"网络红歌榜")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gui::Button& button = searchForm->Find<gui::Button>(c.name);
        EXPECT_EQ(button.Geometry(), c.rect);
        EXPECT_EQ(button.Caption(), c.caption);
        EXPECT_EQ(button.TextFont(), kYaHei13);
        EXPECT_TRUE(button.IsEnabled());
    }
}

TEST_F(TsearchFormTest, LabelsKeywordBoxAndListAsLaidOut) {
    struct LabelCase {
        const char* name;
        gui::Rect rect;
        std::string text;
        gui::Font font;
        gui::Alignment alignment;
    };
    const LabelCase labels[] = {
        {"lbl2", {9, 12, 52, 19}, ansi(u"歌曲名："), kYaHei13, gui::Alignment::Left},
        {"slb2", {10, 436, 0, 19}, "", kYaHei13, gui::Alignment::Left},
        {"slb1", {428, 436, 117, 19}, ansi(u"歌曲来源：百度音乐"), kYaHei13, gui::Alignment::Left},
        {"lbl1",
         {0, 456, 548, 16},
         ansi(u"Melvanto · 搜索与排行榜 · 双击歌曲查看下载地址"),
         gui::Font{u"MS Sans Serif", 13, false, gui::SystemColour::DarkShadow3D},
         gui::Alignment::Centre},
    };
    for (const LabelCase& c : labels) {
        SCOPED_TRACE(c.name);
        gui::Label& label = searchForm->Find<gui::Label>(c.name);
        EXPECT_EQ(label.Geometry(), c.rect);
        EXPECT_EQ(label.Text(), c.text);
        EXPECT_EQ(label.TextFont(), c.font);
        EXPECT_EQ(label.TextAlignment(), c.alignment);
    }
    EXPECT_EQ(searchForm->lbl1.TextColour(), gui::Resolve(gui::SystemColour::DarkShadow3D));

    // The update-date label follows its text, 19 high.
    searchForm->slb2.SetText(ansi(u"更新时间:2014-06-01"));
    EXPECT_GT(searchForm->slb2.Geometry().width, 0);
    EXPECT_EQ(searchForm->slb2.Geometry().height, 19);

    EXPECT_EQ(searchForm->edt1.Geometry(), (gui::Rect{59, 10, 126, 27}));
    EXPECT_EQ(searchForm->edt1.Text(), "");
    EXPECT_FALSE(searchForm->edt1.IsReadOnly());
    EXPECT_EQ(searchForm->edt1.TextFont(), kYaHei13);

    EXPECT_EQ(searchForm->lv1.Geometry(), (gui::Rect{3, 40, 545, 353}));
    EXPECT_EQ(searchForm->lv1.TextFont(), (gui::Font{u"微软雅黑", 12}));
    EXPECT_EQ(searchForm->lv1.RowCount(), 0);
    EXPECT_EQ(searchForm->lv1.Columns(),
              (std::vector<gui::ListColumn>{{ansi(u"歌曲ID"), 100, gui::Alignment::Left},
                                            {ansi(u"歌曲名"), 200, gui::Alignment::Centre},
                                            {ansi(u"艺术家"), 200, gui::Alignment::Left}}));
}

TEST_F(TsearchFormTest, TabWalksKeywordListSearchAndTheCharts) {
    searchForm->Show();
    test::ProcessEvents();
    std::vector<std::string> visited{test::FocusedWidgetName()};
    for (int i = 0; i < 10; ++i) {
        test::PressKey(searchForm->Find<gui::Widget>(visited.back()), test::Key::Tab);
        visited.push_back(test::FocusedWidgetName());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"edt1", "lv1", "btn1", "btn2", "btn3", "btn4",
                                                 "btn5", "btn6", "btn7", "btn8", "edt1"}));
}

TEST_F(TsearchFormTest, ClosingItHidesTheDetailWindowAndEndsTheProgram) {
    test::ModalBoxRecorder boxes; // whatever the detail window's creation reports
    test::PostToLoop([] {
        HandOverDetailWindow(dlForm);
        EXPECT_TRUE(dlForm->IsVisible());
    });
    test::PostToLoop([] { searchForm->Close(); });
    EXPECT_EQ(application.Run(), 0);
    ASSERT_NE(dlForm, nullptr);
    EXPECT_FALSE(dlForm->IsVisible());
    EXPECT_FALSE(searchForm->IsVisible());
}

TEST_F(TsearchFormTest, ClosingItWithoutADetailWindowEndsTheProgram) {
    ASSERT_EQ(dlForm, nullptr);
    test::PostToLoop([] { searchForm->Close(); });
    EXPECT_EQ(application.Run(), 0);
    EXPECT_FALSE(searchForm->IsVisible());
}

} // namespace
