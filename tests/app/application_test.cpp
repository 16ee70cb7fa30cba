#include "app/application.h"
#include "app/constant.h"
#include "app/detail_window.h"
#include "platform/gui/application.h"
#include "platform/gui/button.h"
#include "platform/gui/testing.h"

#include <gtest/gtest.h>

using namespace melvanto;
namespace test = melvanto::gui::test;

namespace {

const gui::Font kSans{u"MS Sans Serif", 11};

// A detail window whose layout and creation handler the test scripts.
class FakeDetailForm : public gui::Window {
public:
    FakeDetailForm() : Window("detail", {564, 448}, kSans) {
        if (failLayout) throw Exception("layout failed");
        ++alive;
    }
    ~FakeDetailForm() override { --alive; }
    void FormCreate() {
        ++created;
        if (onCreate) onCreate();
    }

    static inline bool failLayout = false;
    static inline std::function<void()> onCreate;
    static inline int alive = 0;
    static inline int created = 0;
};

FakeDetailForm* fakeDlForm = nullptr;

// A main window with a button, whose close handler hides the detail window.
class FakeMainForm : public gui::Window {
public:
    FakeMainForm()
        : Window("Melvanto", {567, 514}, kSans),
          btn1(*this, "btn1", {195, 8, 70, 25}, "go", kSans) {
        OnClose([] {
            if (fakeDlForm) fakeDlForm->Hide();
        });
    }
    gui::Button btn1;
};

FakeMainForm* fakeMainForm = nullptr;

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        FakeDetailForm::failLayout = false;
        FakeDetailForm::onCreate = nullptr;
        FakeDetailForm::created = 0;
    }

    std::unique_ptr<Application> application = std::make_unique<Application>();
};

TEST_F(ApplicationTest, ThreeHandOversLeaveTwoHiddenWindowsAndTheNewestCurrent) {
    application->CreateForm(fakeMainForm);
    std::vector<FakeDetailForm*> made;
    for (int i = 0; i < 3; ++i) {
        made.push_back(&HandOverDetailWindow(fakeDlForm));
        EXPECT_EQ(fakeDlForm, made.back());
    }
    EXPECT_EQ(FakeDetailForm::created, 3);
    EXPECT_EQ(FakeDetailForm::alive, 3);
    EXPECT_EQ(application->WindowCount(), 4u);
    EXPECT_FALSE(made[0]->IsVisible());
    EXPECT_FALSE(made[1]->IsVisible());
    EXPECT_TRUE(made[2]->IsVisible());

    // A closed detail window only hides and stays current until the next hand-over.
    made[2]->Close();
    EXPECT_FALSE(made[2]->IsVisible());
    EXPECT_EQ(fakeDlForm, made[2]);
    HandOverDetailWindow(fakeDlForm);
    EXPECT_FALSE(made[2]->IsVisible());
    EXPECT_TRUE(fakeDlForm->IsVisible());

    // The application owns them all until it ends, and empties the references first.
    application.reset();
    EXPECT_EQ(FakeDetailForm::alive, 0);
    EXPECT_EQ(fakeDlForm, nullptr);
    EXPECT_EQ(fakeMainForm, nullptr);
}

TEST_F(ApplicationTest, TheCreationHandlerRunsOnTheCurrentWindowBeforeItIsShown) {
    FakeDetailForm* old = &HandOverDetailWindow(fakeDlForm);
    bool checked = false;
    FakeDetailForm::onCreate = [&] {
        checked = true;
        EXPECT_NE(fakeDlForm, nullptr);
        EXPECT_NE(fakeDlForm, old);
        EXPECT_FALSE(fakeDlForm->IsVisible());
        EXPECT_FALSE(old->IsVisible());
    };
    HandOverDetailWindow(fakeDlForm);
    EXPECT_TRUE(checked);
}

TEST_F(ApplicationTest, ACreationHandlerFailureIsShownBeforeTheWindowWhichStillOpens) {
    FakeDetailForm::onCreate = [] {
        throw ENetSocketError("Socket Error # 10061\r\nConnection refused", 10061);
    };
    std::vector<bool> visibleWhileBoxShown;
    test::ModalBoxRecorder boxes([&](const test::ModalBox&) {
        visibleWhileBoxShown.push_back(fakeDlForm && fakeDlForm->IsVisible());
    });
    FakeDetailForm& form = HandOverDetailWindow(fakeDlForm);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].kind, test::BoxKind::Failure);
    EXPECT_EQ(boxes.Boxes()[0].text, "Socket Error # 10061\r\nConnection refused.");
    EXPECT_EQ(visibleWhileBoxShown, std::vector<bool>{false});
    EXPECT_EQ(fakeDlForm, &form);
    EXPECT_TRUE(form.IsVisible());
}

TEST_F(ApplicationTest, ALayoutFailureReachesTheCallerAndLeavesNoCurrentWindow) {
    FakeDetailForm* old = &HandOverDetailWindow(fakeDlForm);
    FakeDetailForm::failLayout = true;
    test::ModalBoxRecorder boxes;
    EXPECT_THROW(HandOverDetailWindow(fakeDlForm), Exception);
    EXPECT_EQ(fakeDlForm, nullptr);
    EXPECT_FALSE(old->IsVisible());
    EXPECT_EQ(FakeDetailForm::alive, 1);
    EXPECT_EQ(application->WindowCount(), 1u);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ApplicationTest, AHandlerFailureReachesTheFailureBoxAndTheLoopGoesOn) {
    application->CreateForm(fakeMainForm);
    int clicks = 0;
    fakeMainForm->btn1.OnClick([&] {
        ++clicks;
        throw EConvertError("'abc' is not a valid integer value");
    });
    test::ModalBoxRecorder boxes;
    test::PostToLoop([] { test::Click(fakeMainForm->btn1); });
    test::PostToLoop([] { test::Click(fakeMainForm->btn1); });
    test::PostToLoop([] { fakeMainForm->Close(); });
    EXPECT_EQ(application->Run(), 0);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    for (const test::ModalBox& box : boxes.Boxes()) {
        EXPECT_EQ(box.kind, test::BoxKind::Failure);
        EXPECT_EQ(box.text, "'abc' is not a valid integer value.");
    }
}

TEST_F(ApplicationTest, ClosingTheMainWindowHidesTheDetailWindowAndEndsTheLoop) {
    application->CreateForm(fakeMainForm);
    test::PostToLoop([] {
        HandOverDetailWindow(fakeDlForm);
        EXPECT_TRUE(fakeDlForm->IsVisible());
        EXPECT_TRUE(fakeMainForm->IsVisible());
    });
    test::PostToLoop([] { fakeMainForm->Close(); });
    EXPECT_EQ(application->Run(), 0);
    ASSERT_NE(fakeDlForm, nullptr);
    EXPECT_FALSE(fakeDlForm->IsVisible());
    EXPECT_FALSE(fakeMainForm->IsVisible());
}

TEST_F(ApplicationTest, OneApplicationObjectAtATimeAndTheSharedIdEndsWithIt) {
    EXPECT_EQ(&Application::Current(), application.get());
    EXPECT_THROW(Application(), std::logic_error);
    EXPECT_EQ(CurrentSongId, "");
    CurrentSongId = "877578";
    application.reset();
    EXPECT_EQ(CurrentSongId, "");
    EXPECT_THROW(Application::Current(), std::logic_error);
}

} // namespace
