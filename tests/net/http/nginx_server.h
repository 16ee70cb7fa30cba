#pragma once
// Debian's nginx (/usr/sbin/nginx) as a real server for interoperability tests: started
// in the foreground as a child process, on a free port of 127.0.0.1, with a generated
// configuration and every file it writes (pid, logs, temporary files) inside a new
// temporary folder that goes away with the server.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <sys/types.h>

namespace melvanto::test {

class NginxServer {
public:
    static constexpr const char* Binary = "/usr/sbin/nginx";
    static bool Installed();

    // files: paths below the document root and their contents. serverLines: directives
    // for the server block (locations and the like). Fails with std::runtime_error, the
    // error log in its message, when nginx does not come up.
    NginxServer(const std::map<std::string, std::string>& files, const std::string& serverLines);
    // Stops nginx and removes the folder.
    ~NginxServer();
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    uint16_t Port() const { return m_port; }

private:
    // Starts nginx on a port that was free a moment ago; false when it exited because
    // another program took the port meanwhile.
    bool start(const std::string& serverLines);
    void stop();
    std::string errorLog() const;

    std::filesystem::path m_folder;
    uint16_t m_port = 0;
    pid_t m_pid = -1;
};

} // namespace melvanto::test
