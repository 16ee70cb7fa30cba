#include "support/music_service_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace melvanto::testing {

namespace {

constexpr int kStartLimitMs = 20000;

} // namespace

MusicServiceProcess::MusicServiceProcess(const std::string& program,
                                         const std::vector<std::string>& arguments) {
    char logName[] = "/tmp/music-service-log-XXXXXX";
    m_log = ::mkstemp(logName);
    if (m_log < 0) throw std::runtime_error("mkstemp failed");
    ::unlink(logName);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");

    std::vector<std::string> words = {program, "--port", "0"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, m_log, STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const int spawned =
        posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    m_output = pipeFds[0];
    if (spawned != 0) {
        m_stopped = true;
        throw std::runtime_error("cannot start " + program);
    }

    // Bounded, so a service that never starts fails the caller instead of hanging it.
    std::string line;
    char c = 0;
    pollfd readable{m_output, POLLIN, 0};
    while (::poll(&readable, 1, kStartLimitMs) == 1 && ::read(m_output, &c, 1) == 1 && c != '\n')
        line += c;
    char* end = nullptr;
    const long port = std::strtol(line.c_str(), &end, 10);
    if (line.empty() || *end != '\0' || port <= 0 || port > 65535) {
        Stop();
        throw std::runtime_error("music-service named no port: " + Log());
    }
    m_port = static_cast<int>(port);
}

MusicServiceProcess::~MusicServiceProcess() {
    Stop();
    ::close(m_output);
    ::close(m_log);
}

int MusicServiceProcess::Stop() {
    if (m_stopped) return 0;
    m_stopped = true;
    ::kill(m_pid, SIGTERM);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string MusicServiceProcess::Log() const {
    std::string log;
    char buffer[4096];
    ssize_t got = 0;
    off_t offset = 0;
    while ((got = ::pread(m_log, buffer, sizeof buffer, offset)) > 0) {
        log.append(buffer, static_cast<size_t>(got));
        offset += got;
    }
    return log;
}

} // namespace melvanto::testing
