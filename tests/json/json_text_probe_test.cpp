// The json-text probe, run as a program: compact text or "nil", exit codes.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ProbeRun {
    std::string output;
    int exitCode;
};

ProbeRun runProbe(const std::string& arguments) {
    const std::string command = std::string(JSON_TEXT_PATH) + " " + arguments + " 2>/dev/null";
    ProbeRun run{"", -1};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, read);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class JsonTextProbe : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) {
        const auto path = m_dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path m_dir = [] {
        auto dir = std::filesystem::temp_directory_path() /
                   ("json_text_probe_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir;
    }();
};

TEST_F(JsonTextProbe, PrintsTheCompactTextOrNil) {
    const struct {
        const char* file;
        const char* output;
    } cases[] = {
        {"{\"songid\":\"1\",\"songname\":\"a/b\",\"artistname\":null}",
         "{\"artistname\":null,\"songname\":\"a\\/b\",\"songid\":\"1\"}\n"},
        {"{\"name\": \"\xE6\x96\xB0\xE6\xAD\x8C\xE6\xA6\x9C\"}",
         "{\"name\":\"\xE6\x96\xB0\xE6\xAD\x8C\xE6\xA6\x9C\"}\n"},
        {"[1 2]", "nil\n"},
        {"Not Found\n", "\"Not Found\"\n"},
        {"", "\"\"\n"},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const ProbeRun run = runProbe(write("case" + std::to_string(index++) + ".json", c.file));
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.output, c.output);
    }
}

TEST_F(JsonTextProbe, UsageErrorsExitWith2) {
    const std::string present = write("present.json", "1");
    for (const std::string& arguments :
         {std::string(), (m_dir / "missing.json").string(), present + " " + present}) {
        SCOPED_TRACE(arguments);
        const ProbeRun run = runProbe(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.output, "");
    }
}

} // namespace
