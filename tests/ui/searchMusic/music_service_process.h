#pragma once
// The real stand-in music service as a child process: started with "--port 0", its port
// read from the first line it prints. Stopped with SIGTERM when the object goes.

#include "base/str_to_int.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace melvanto::search_test {

class MusicServiceProcess {
public:
    explicit MusicServiceProcess(const std::string& program) {
        int output[2];
        if (::pipe2(output, O_CLOEXEC) != 0) throw std::runtime_error("pipe2");
        const int quiet = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        if (quiet >= 0) posix_spawn_file_actions_adddup2(&actions, quiet, STDERR_FILENO);
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--port"),
                        const_cast<char*>("0"), nullptr};
        const int spawned =
            ::posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(output[1]);
        if (quiet >= 0) ::close(quiet);
        if (spawned != 0) {
            ::close(output[0]);
            throw std::runtime_error("cannot start " + program);
        }
        // Bounded: a service that never prints its port leaves Port() at 0.
        std::string line;
        char c = 0;
        pollfd readable{output[0], POLLIN, 0};
        while (::poll(&readable, 1, 20000) == 1 && ::read(output[0], &c, 1) == 1 && c != '\n')
            line += c;
        m_output = output[0];
        m_port = TryStrToInt(line).value_or(0);
    }

    ~MusicServiceProcess() {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        ::close(m_output);
    }

    MusicServiceProcess(const MusicServiceProcess&) = delete;
    MusicServiceProcess& operator=(const MusicServiceProcess&) = delete;

    int Port() const { return m_port; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(m_port); }

private:
    pid_t m_pid = 0;
    int m_output = -1; // kept open: the service may write to its stdout until it ends
    int m_port = 0;
};

} // namespace melvanto::search_test
