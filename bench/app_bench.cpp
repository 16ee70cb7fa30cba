// The whole program, driven offscreen against the stand-in music service on loopback:
//
//   chart_click_to_rows        a chart button pressed until its 100 rows are in the list
//   keyword_search_to_rows     "搜索" pressed with a keyword until its rows are in the list
//   double_click_to_cover      a double-click on a row until the detail window is filled
//                              and its cover picture drawn
//   curl_chart, curl_search, curl_song_link_and_cover
//                              the same requests made by the curl command-line tool,
//                              timed by curl itself (time_total): the floor of the
//                              network part
//   start_up                   a fresh process to its first shown window
//   peak_memory                a fresh process's peak resident size after 100 searches
//                              and 20 detail windows (counter peak_rss_MiB)
//
// Run the release build with medians:
//   bench_app --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
// The start-up and memory figures come from child runs of this same program
// (--start-up-probe, --memory-probe), so each starts cold.

#include "app/application.h"
#include "app/constant.h"
#include "support/music_service_process.h"
#include "platform/gui/application.h"
#include "platform/gui/testing.h"
#include "service/service_hosts.h"
#include "ui/download/dl_form.h"
#include "ui/searchMusic/search_form.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

using namespace melvanto;
namespace guitest = melvanto::gui::test;

namespace {

constexpr int kMemorySearches = 100;
constexpr int kMemoryDetailWindows = 20;

// Keywords the catalogue holds, in UTF-8; the window's code page is UTF-8 here.
const std::array<std::string, 6> kKeywords = {"远方", "风", "夜", "Summer", "雨", "心"};

std::string g_self;
std::unique_ptr<testing::MusicServiceProcess> g_service;

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Runs a program and gives its standard output; std::runtime_error unless it exits 0.
std::string runProgram(const std::vector<std::string>& words) {
    int output[2];
    if (::pipe(output) != 0) throw std::runtime_error("pipe failed");
    std::vector<std::string> copy = words;
    std::vector<char*> argv;
    for (std::string& word : copy)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    if (spawned != 0) {
        ::close(output[0]);
        throw std::runtime_error("cannot start " + words[0]);
    }
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(output[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))
        if (got > 0) text.append(buffer, static_cast<size_t>(got));
    ::close(output[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(words[0] + " failed");
    return text;
}

std::string serviceUrl(const std::string& target) {
    return "http://" + g_service->Host() + target;
}

std::string chartTarget(int type) {
    return "/v1/restserver/ting?size=100&type=" + std::to_string(type) +
           "&format=json&method=baidu.ting.billboard.billList";
}

// curl's own time for the requests (one connection, in order), in seconds.
double curlSeconds(const std::vector<std::string>& urls) {
    std::vector<std::string> words = {"curl", "-s", "-f", "--noproxy", "*"};
    for (const std::string& url : urls) {
        words.insert(words.end(), {"-o", "/dev/null", "-w", "%{time_total}\n", url});
    }
    const std::string text = runProgram(words);
    double total = 0;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        total += std::strtod(text.substr(start, end - start).c_str(), nullptr);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return total;
}

// The search window of a fresh application; boxes are answered and counted.
struct Program {
    explicit Program(const ServiceHosts& hosts) {
        application.Own(std::make_unique<TsearchForm>(hosts), searchForm);
        searchForm->Show();
        guitest::ProcessEvents();
    }
    guitest::ModalBoxRecorder boxes;
    Application application;
};

TsearchForm& form() {
    return *searchForm;
}

gui::Button& chartButton(int index) {
    std::array<gui::Button*, 7> buttons = {&form().btn2, &form().btn3, &form().btn4, &form().btn5,
                                           &form().btn6, &form().btn7, &form().btn8};
    return *buttons[static_cast<size_t>(index) % buttons.size()];
}

void search(const std::string& keyword) {
    form().edt1.SetText(keyword);
    guitest::Click(form().btn1);
}

std::unique_ptr<Program> g_program;

void chartClickToRows(benchmark::State& state) {
    int index = 0;
    for (auto _ : state) {
        guitest::Click(chartButton(index++));
        if (form().lv1.RowCount() != 100) state.SkipWithError("the chart did not list 100 rows");
    }
}

void keywordSearchToRows(benchmark::State& state) {
    size_t index = 0;
    for (auto _ : state) {
        search(kKeywords[index++ % kKeywords.size()]);
        if (form().lv1.RowCount() == 0) state.SkipWithError("the search listed no row");
    }
}

bool coverShown() {
    return dlForm && dlForm->img1.CurrentPicture() && g_program->boxes.Boxes().empty();
}

void doubleClickToCover(benchmark::State& state) {
    // Rows whose songs have a cover, found once before the timing.
    guitest::Click(chartButton(1));
    std::vector<int> rows;
    for (int row = 0; row < form().lv1.RowCount() && rows.size() < 10; ++row) {
        guitest::DoubleClick(form().lv1, row);
        guitest::ProcessEvents();
        if (coverShown()) rows.push_back(row);
    }
    if (rows.empty()) {
        state.SkipWithError("no song of the chart shows a cover");
        return;
    }
    size_t index = 0;
    for (auto _ : state) {
        guitest::DoubleClick(form().lv1, rows[index++ % rows.size()]);
        guitest::ProcessEvents();
        if (!coverShown()) {
            state.SkipWithError("the detail window did not show its cover");
            break;
        }
    }
}

void curlChart(benchmark::State& state) {
    int type = 0;
    for (auto _ : state)
        state.SetIterationTime(curlSeconds({serviceUrl(chartTarget(type++ % 2 + 1))}));
}

void curlSearch(benchmark::State& state) {
    size_t index = 0;
    for (auto _ : state) {
        const std::string& keyword = kKeywords[index++ % kKeywords.size()];
        std::string encoded;
        for (unsigned char c : keyword) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            encoded += hex;
        }
        state.SetIterationTime(curlSeconds(
            {serviceUrl("/info/suggestion?word=" + encoded + "&format=json&version=2&from=0")}));
    }
}

// The song link and its cover, one after the other, as a double-click asks for them.
void curlSongLinkAndCover(benchmark::State& state) {
    for (auto _ : state)
        state.SetIterationTime(curlSeconds(
            {serviceUrl("/data/music/fmlink?songIds=200000&rate=320&format=json&type=flac"),
             serviceUrl("/data2/pic/cover0_150x150.jpg")}));
}

void startUp(benchmark::State& state) {
    for (auto _ : state) {
        const std::string text =
            runProgram({g_self, "--start-up-probe", std::to_string(monotonicNs())});
        state.SetIterationTime(std::strtod(text.c_str(), nullptr) / 1e9);
    }
}

void peakMemory(benchmark::State& state) {
    double mebibytes = 0;
    for (auto _ : state)
        mebibytes = std::strtod(runProgram({g_self, "--memory-probe", g_service->Host()}).c_str(),
                                nullptr) /
                    1024.0;
    state.counters["peak_rss_MiB"] = mebibytes;
}

// The peak resident size of this process image. Not getrusage: its maximum carries over
// from the parent through the spawn.
long peakResidentKiB() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    std::fclose(status);
    return kib;
}

// A child run: from its spawn (the parent's clock reading) to the search window shown and
// drawn; prints the nanoseconds.
int startUpProbe(int argc, char** argv, long long spawnedNs) {
    gui::Application platform(argc, argv);
    {
        Program program{ServiceHosts{}};
        std::printf("%lld\n", monotonicNs() - spawnedNs);
    }
    return 0;
}

// A child run: 100 searches (keywords and charts in turn) and 20 detail windows, then
// its peak resident size in KiB.
int memoryProbe(int argc, char** argv, const std::string& host) {
    gui::Application platform(argc, argv);
    {
        Program program(ServiceHosts::AllOn(host));
        for (int i = 0; i < kMemorySearches; ++i) {
            if (i % 2 == 0)
                search(kKeywords[static_cast<size_t>(i / 2) % kKeywords.size()]);
            else
                guitest::Click(chartButton(i / 2));
        }
        guitest::Click(chartButton(0));
        for (int i = 0; i < kMemoryDetailWindows; ++i) {
            guitest::DoubleClick(form().lv1, i * 5);
            guitest::ProcessEvents();
        }
        if (!program.boxes.Boxes().empty()) {
            std::fprintf(stderr, "memory probe: a box was shown: %s\n",
                         program.boxes.Boxes().front().text.c_str());
            return 1;
        }
        std::printf("%ld\n", peakResidentKiB());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    g_self = argv[0];
    if (argc == 3 && std::string(argv[1]) == "--start-up-probe") {
        int childArgc = 1;
        return startUpProbe(childArgc, argv, std::atoll(argv[2]));
    }
    if (argc == 3 && std::string(argv[1]) == "--memory-probe") {
        int childArgc = 1;
        return memoryProbe(childArgc, argv, argv[2]);
    }

    benchmark::Initialize(&argc, argv);
    g_service = std::make_unique<testing::MusicServiceProcess>(MUSIC_SERVICE_PATH,
                                                               std::vector<std::string>{});
    int status = 0;
    {
        gui::Application platform(argc, argv);
        g_program = std::make_unique<Program>(ServiceHosts::AllOn(g_service->Host()));
        // The curl floor first: the detail windows of the double-click runs keep their
        // connections open, which the stand-in service then serves with threads of its own.
        benchmark::RegisterBenchmark("curl_chart", curlChart)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("curl_search", curlSearch)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("curl_song_link_and_cover", curlSongLinkAndCover)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("chart_click_to_rows", chartClickToRows)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("keyword_search_to_rows", keywordSearchToRows)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("double_click_to_cover", doubleClickToCover)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("start_up", startUp)
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("peak_memory", peakMemory)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        g_program.reset();
    }
    status = g_service->Stop();
    return status == 0 ? 0 : 1;
}
