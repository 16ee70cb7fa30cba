// main() of every GUI test program: one windowing runtime for the whole run, offscreen
// unless the environment chooses another platform. Link melvanto_gui_test_main instead of
// gtest_main and register the program with melvanto_test(... GUI).

#include "platform/gui/application.h"

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests at discovery runs without the test environment: stay headless.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    melvanto::gui::Application platform(argc, argv);
    return RUN_ALL_TESTS();
}
