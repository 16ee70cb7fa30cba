#include "platform/codepage/codepage.h"
#include "platform/gui/application.h"
#include "platform/gui/label.h"
#include "platform/gui/testing.h"
#include "platform/gui/window.h"

#include <gtest/gtest.h>

using namespace melvanto;
using namespace melvanto::gui;

namespace {

const Font kSans{u"MS Sans Serif", 11};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetFailureHandler(
            [this](const Exception& failure) { failures.push_back(failure.Message()); });
    }
    void TearDown() override { SetFailureHandler({}); }

    std::vector<std::string> failures;
};

TEST_F(WindowTest, TheFirstWindowCreatedIsTheMainWindow) {
    {
        Window first("first", {100, 100}, kSans);
        Window second("second", {100, 100}, kSans);
        EXPECT_TRUE(first.IsMainWindow());
        EXPECT_FALSE(second.IsMainWindow());
    }
    // Once the main window is gone, the next window created takes its place.
    Window next("next", {100, 100}, kSans);
    EXPECT_TRUE(next.IsMainWindow());
}

TEST_F(WindowTest, ClosingTheMainWindowRunsItsHandlerThenEndsTheLoop) {
    Window main("main", {300, 200}, kSans);
    Window other("other", {200, 100}, kSans);
    std::vector<std::string> events;
    main.OnClose([&] {
        events.push_back("main close handler");
        EXPECT_TRUE(main.IsVisible());
        other.Hide();
    });
    other.OnClose([&] { events.push_back("other close handler"); });
    main.Show();
    other.Show();
    test::PostToLoop([&] {
        other.Close();
        events.push_back(other.IsVisible() ? "other still shown" : "other hidden");
    });
    test::PostToLoop([&] { events.push_back("loop still running"); });
    test::PostToLoop([&] { main.Close(); });

    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"other close handler", "other hidden",
                                                "loop still running", "main close handler"}));
    EXPECT_FALSE(main.IsVisible());
    EXPECT_FALSE(other.IsVisible());
    // The closed window is hidden, not destroyed: it can be shown again.
    other.Show();
    EXPECT_TRUE(other.IsVisible());
    test::ProcessEvents();
}

TEST_F(WindowTest, AFailingCloseHandlerIsReportedAndTheWindowStillCloses) {
    Window main("main", {300, 200}, kSans);
    Window other("other", {200, 100}, kSans);
    other.OnClose([] { throw Exception("cannot close"); });
    main.OnClose([] { throw Exception("cannot close either"); });
    main.Show();
    other.Show();
    test::PostToLoop([&] { other.Close(); });
    test::PostToLoop([&] { main.Close(); });
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_FALSE(other.IsVisible());
    EXPECT_FALSE(main.IsVisible());
    EXPECT_EQ(failures, (std::vector<std::string>{"cannot close", "cannot close either"}));
}

TEST_F(WindowTest, FrameSizeColourAndPlace) {
    Window window(WideToAnsi(u"下载"), {564, 448}, kSans);
    const test::FrameTraits frame = test::Frame(window);
    EXPECT_TRUE(frame.sizeable);
    EXPECT_TRUE(frame.systemMenu);
    EXPECT_TRUE(frame.closeBox);
    EXPECT_FALSE(frame.minimizeBox);
    EXPECT_FALSE(frame.maximizeBox);
    EXPECT_EQ(window.ClientSize(), (Size{564, 448}));
    EXPECT_EQ(window.BackgroundColour(), Resolve(SystemColour::ButtonFace));
    EXPECT_EQ(window.Caption(), WideToAnsi(u"下载"));
    EXPECT_EQ(window.DefaultFont(), kSans);

    window.Show();
    const Rect desktop = test::DesktopArea();
    const Point at = test::Position(window);
    EXPECT_EQ(at.x, desktop.left + (desktop.width - 564) / 2);
    EXPECT_EQ(at.y, desktop.top + (desktop.height - 448) / 2);
}

TEST_F(WindowTest, WidgetsAreFoundByNameAndKindAndNamesAreUnique) {
    Window window("w", {200, 100}, kSans);
    Label lbl1(window, "lbl1", {1, 2, 30, 19}, "x", kSans);
    EXPECT_EQ(&window.Find<Label>("lbl1"), &lbl1);
    EXPECT_EQ(&window.Find<Widget>("lbl1"), &lbl1);
    EXPECT_THROW(window.Find<Label>("lbl2"), std::out_of_range);
    EXPECT_THROW(Label(window, "lbl1", {0, 0, 1, 1}, "again", kSans), std::logic_error);
    EXPECT_EQ(window.Find<Label>("lbl1").Text(), "x");
}

} // namespace
