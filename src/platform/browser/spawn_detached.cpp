#include "platform/browser/spawn_detached.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace melvanto {

pid_t SpawnDetached(const std::string& program, const std::string& argument) {
    std::string programArg = program;
    std::string textArg = argument;
    char* argv[] = {programArg.data(), textArg.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
    // The only way to reap a child without blocking the GUI thread and without taking over
    // SIGCHLD for the whole process.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
        }
    }).detach();
    return pid;
}

} // namespace melvanto
