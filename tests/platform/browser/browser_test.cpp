#include "platform/browser/browser.h"
#include "platform/browser/spawn_detached.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace melvanto;

namespace {

// Waits, within a generous bound, until the condition holds; false if it never does.
template <class Condition> bool eventually(Condition condition) {
    for (int i = 0; i < 2000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

TEST(OpenInBrowserTest, TheSubstituteReceivesTheExactText) {
    std::vector<std::string> opened;
    SubstituteBrowserForTesting([&](const std::string& text) { opened.push_back(text); });
    const std::vector<std::string> texts = {
        "http://127.0.0.1:8707/data2/music/song.flac?xcode=ab&src=1",
        "http://host/a b\"c'd;e|f$(g)",
        "\xE6\xAD\x8C\xE6\x9B\xB2", // as an edit box gives it, ANSI bytes
        "",
    };
    for (const std::string& text : texts)
        OpenInBrowser(text);
    SubstituteBrowserForTesting({});
    EXPECT_EQ(opened, texts);
}

class SpawnDetachedTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/melvanto-spawn-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir;
};

TEST_F(SpawnDetachedTest, TheArgumentReachesTheProgramUnchangedWithoutAShell) {
    // touch makes a file named exactly by its one argument; a shell would have split it,
    // run the command substitution or stopped at ";".
    const std::string names[] = {"a b", "x&y;z", "q'uo\"te", "$(touch pwned)", "\xE6\xAD\x8C"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::filesystem::path target = dir / name;
        ASSERT_GT(SpawnDetached("touch", target.string()), 0);
        EXPECT_TRUE(eventually([&] { return std::filesystem::exists(target); }));
    }
    EXPECT_FALSE(std::filesystem::exists("pwned"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              static_cast<std::ptrdiff_t>(std::size(names)));
}

TEST_F(SpawnDetachedTest, TheChildIsReapedWithoutTheCallerWaiting) {
    const pid_t pid = SpawnDetached("true", "ignored");
    ASSERT_GT(pid, 0);
    // A zombie still answers kill(pid, 0); a reaped child is gone.
    EXPECT_TRUE(eventually([&] { return kill(pid, 0) == -1 && errno == ESRCH; }));
}

TEST_F(SpawnDetachedTest, AProgramThatCannotBeStartedIsNoFailure) {
    EXPECT_EQ(SpawnDetached("melvanto-no-such-program", "x"), -1);
}

} // namespace
