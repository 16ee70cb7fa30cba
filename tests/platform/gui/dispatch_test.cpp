#include "platform/gui/application.h"
#include "platform/gui/dispatch.h"
#include "platform/gui/testing.h"
#include "platform/gui/window.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace melvanto;
using namespace melvanto::gui;

namespace {

// Collects what reaches the failure handler.
class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetFailureHandler(
            [this](const Exception& failure) { failures.push_back(failure.Message()); });
    }
    void TearDown() override { SetFailureHandler({}); }

    std::vector<std::string> failures;
};

TEST_F(DispatchTest, EveryKindOfFailureReachesTheHandlerWithItsMessage) {
    struct Case {
        const char* name;
        Handler handler;
        bool completes;
        std::vector<std::string> reported;
    };
    const Case cases[] = {
        {"no failure", [] {}, true, {}},
        {"melvanto failure",
         [] { throw EConvertError("'abc' is not a valid integer value"); },
         false,
         {"'abc' is not a valid integer value"}},
        {"derived class keeps its message",
         [] { throw ENetHTTPProtocolException("HTTP/1.1 404 Not Found", 404, "body"); },
         false,
         {"HTTP/1.1 404 Not Found"}},
        {"standard failure gives what()",
         [] { throw std::runtime_error("disk on fire"); },
         false,
         {"disk on fire"}},
        {"anything else is still reported", [] { throw 42; }, false, {"Unknown failure"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        failures.clear();
        EXPECT_EQ(Dispatch(c.handler), c.completes);
        EXPECT_EQ(failures, c.reported);
    }
}

TEST_F(DispatchTest, WorkDoneBeforeTheFailureStaysDone) {
    int steps = 0;
    Dispatch([&] {
        ++steps;
        throw Exception("stop");
    });
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(failures, std::vector<std::string>{"stop"});
}

TEST_F(DispatchTest, TheLoopGoesOnAfterAFailingHandler) {
    Window main("main", {200, 100}, Font{u"MS Sans Serif", 11});
    ASSERT_TRUE(main.IsMainWindow());
    main.Show();
    std::vector<std::string> order;
    test::PostToLoop([&] {
        order.push_back("first");
        throw Exception("first failed");
    });
    test::PostToLoop([&] {
        order.push_back("second");
        main.Close();
    });
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(failures, std::vector<std::string>{"first failed"});
}

} // namespace
