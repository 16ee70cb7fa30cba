// The search window as laid out, its tab order and its closing.

#include "app/detail_window.h"
#include "search_window_fixture.h"

using namespace melvanto;
using namespace melvanto::search_test;

namespace {

const gui::Font kYaHei13{u"微软雅黑", 13};

using TsearchFormTest = SearchWindowTest;

TEST_F(TsearchFormTest, TheMainWindowAsLaidOut) {
    EXPECT_TRUE(searchForm->IsMainWindow());
    EXPECT_EQ(searchForm->Caption(), "Melvanto");
    EXPECT_EQ(searchForm->ClientSize(), (gui::Size{567, 514}));
    EXPECT_EQ(searchForm->DefaultFont(), (gui::Font{u"MS Sans Serif", 11}));
    const guitest::FrameTraits frame = guitest::Frame(*searchForm);
    EXPECT_TRUE(frame.sizeable && frame.systemMenu && frame.closeBox);
    EXPECT_FALSE(frame.minimizeBox || frame.maximizeBox);
    EXPECT_EQ(searchForm->BackgroundColour(), gui::Resolve(gui::SystemColour::ButtonFace));
    EXPECT_EQ(CurrentBillType, "");
    // It has no creation handler: building it sent nothing.
    EXPECT_TRUE(server.Targets().empty());
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
    guitest::ProcessEvents();
    std::vector<std::string> visited{guitest::FocusedWidgetName()};
    for (int i = 0; i < 10; ++i) {
        guitest::PressKey(searchForm->Find<gui::Widget>(visited.back()), guitest::Key::Tab);
        visited.push_back(guitest::FocusedWidgetName());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"edt1", "lv1", "btn1", "btn2", "btn3", "btn4",
                                                 "btn5", "btn6", "btn7", "btn8", "edt1"}));
}

TEST_F(TsearchFormTest, ClosingItHidesTheDetailWindowAndEndsTheProgram) {
    guitest::ModalBoxRecorder boxes; // whatever the detail window's creation reports
    guitest::PostToLoop([this] {
        HandOverDetailWindow(dlForm, ServiceHosts::AllOn(server.Host()));
        EXPECT_TRUE(dlForm->IsVisible());
    });
    guitest::PostToLoop([] { searchForm->Close(); });
    EXPECT_EQ(application.Run(), 0);
    ASSERT_NE(dlForm, nullptr);
    EXPECT_FALSE(dlForm->IsVisible());
    EXPECT_FALSE(searchForm->IsVisible());
}

TEST_F(TsearchFormTest, ClosingItWithoutADetailWindowEndsTheProgram) {
    ASSERT_EQ(dlForm, nullptr);
    guitest::PostToLoop([] { searchForm->Close(); });
    EXPECT_EQ(application.Run(), 0);
    EXPECT_FALSE(searchForm->IsVisible());
}

} // namespace
