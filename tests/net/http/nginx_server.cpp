#include "net/http/nginx_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace melvanto::test {

namespace {

using Clock = std::chrono::steady_clock;

void writeFile(const std::filesystem::path& path, const std::string& contents) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// A port of 127.0.0.1 that nothing listened on a moment ago.
uint16_t freeLoopbackPort() {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool ok = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    close(fd);
    if (!ok) throw std::runtime_error(std::string("bind: ") + std::strerror(errno));
    return ntohs(address.sin_port);
}

bool accepts(uint16_t port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

std::string configuration(const std::filesystem::path& folder, uint16_t port,
                          const std::string& serverLines) {
    const std::string dir = folder.string();
    std::ostringstream text;
    text << "daemon off;\n"
            "master_process off;\n"
            "worker_processes 1;\n"
            "pid "
         << dir << "/nginx.pid;\n"
         << "error_log " << dir << "/error.log info;\n"
         << "events { worker_connections 64; }\n"
            "http {\n"
            "    access_log "
         << dir << "/access.log;\n"
         << "    client_body_temp_path " << dir << "/tmp/client_body;\n"
         << "    proxy_temp_path " << dir << "/tmp/proxy;\n"
         << "    fastcgi_temp_path " << dir << "/tmp/fastcgi;\n"
         << "    uwsgi_temp_path " << dir << "/tmp/uwsgi;\n"
         << "    scgi_temp_path " << dir << "/tmp/scgi;\n"
         << "    types { image/jpeg jpg; text/html html; text/plain txt; }\n"
            "    default_type application/octet-stream;\n"
            "    server {\n"
            "        listen 127.0.0.1:"
         << port << ";\n"
         << "        root " << dir << "/www;\n"
         << serverLines << "\n"
         << "    }\n"
            "}\n";
    return text.str();
}

} // namespace

bool NginxServer::Installed() {
    return access(Binary, X_OK) == 0;
}

NginxServer::NginxServer(const std::map<std::string, std::string>& files,
                         const std::string& serverLines) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "melvanto-nginx-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_folder = pattern;
    try {
        std::filesystem::create_directories(m_folder / "tmp");
        for (const auto& [path, contents] : files)
            writeFile(m_folder / "www" / path, contents);
        bool started = false;
        for (int attempt = 0; attempt < 5 && !started; ++attempt)
            started = start(serverLines);
        if (!started) throw std::runtime_error("nginx found no free port:\n" + errorLog());
    } catch (...) {
        stop();
        std::filesystem::remove_all(m_folder);
        throw;
    }
}

NginxServer::~NginxServer() {
    stop();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

bool NginxServer::start(const std::string& serverLines) {
    m_port = freeLoopbackPort();
    const std::filesystem::path config = m_folder / "nginx.conf";
    writeFile(config, configuration(m_folder, m_port, serverLines));

    const std::string prefix = m_folder.string() + "/";
    const std::string configPath = config.string();
    const std::string errorPath = (m_folder / "error.log").string();
    std::vector<std::string> args = {Binary, "-p", prefix, "-c", configPath, "-e", errorPath};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (int rc = posix_spawn(&m_pid, Binary, nullptr, nullptr, argv.data(), environ); rc != 0) {
        m_pid = -1;
        throw std::runtime_error(std::string("posix_spawn nginx: ") + std::strerror(rc));
    }

    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            const std::string log = errorLog();
            if (log.find("Address already in use") != std::string::npos) return false;
            throw std::runtime_error("nginx exited at start:\n" + log);
        }
        if (accepts(m_port)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error("nginx did not accept connections within 10 s:\n" + errorLog());
}

void NginxServer::stop() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    int status = 0;
    while (waitpid(m_pid, &status, WNOHANG) == 0) {
        if (Clock::now() >= deadline) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    m_pid = -1;
}

std::string NginxServer::errorLog() const {
    std::ifstream in(m_folder / "error.log", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace melvanto::test
