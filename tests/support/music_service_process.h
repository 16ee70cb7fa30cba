#pragma once
// The stand-in music service as a child process: started on a free loopback port with the
// given extra arguments (e.g. "--faults", "--seed", "7"), ended with SIGTERM.

#include <string>
#include <sys/types.h>
#include <vector>

namespace melvanto::testing {

class MusicServiceProcess {
public:
    // program: the music-service executable. Fails with std::runtime_error when it cannot
    // be started or names no port within 20 s.
    MusicServiceProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~MusicServiceProcess();
    MusicServiceProcess(const MusicServiceProcess&) = delete;
    MusicServiceProcess& operator=(const MusicServiceProcess&) = delete;

    int Port() const { return m_port; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(m_port); }

    // Ends the service; gives its exit status (128 + signal when killed by one).
    int Stop();
    // Everything the service logged so far.
    std::string Log() const;

private:
    pid_t m_pid = 0;
    int m_output = -1;
    int m_log = -1;
    int m_port = 0;
    bool m_stopped = false;
};

} // namespace melvanto::testing
