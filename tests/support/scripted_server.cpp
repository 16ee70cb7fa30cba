#include "support/scripted_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace melvanto::test {

namespace {

struct StepFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string systemError(const char* call) {
    return std::string(call) + ": " + std::strerror(errno);
}

} // namespace

ScriptedServer::ScriptedServer() {
    m_listenFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) throw std::runtime_error(systemError("socket"));
    int on = 1;
    setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_listenFd, 16) != 0 ||
        getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::string what = systemError("bind/listen");
        close(m_listenFd);
        throw std::runtime_error(what);
    }
    m_port = ntohs(address.sin_port);
}

ScriptedServer::~ScriptedServer() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) m_thread.join();
    for (Connection& connection : m_connections)
        if (connection.fd >= 0) close(connection.fd);
    close(m_listenFd);
}

ScriptedServer& ScriptedServer::Accept() {
    m_steps.push_back([this] {
        waitFor(m_listenFd, POLLIN, "Accept");
        int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) throw StepFailed(systemError("accept"));
        std::lock_guard lock(m_mutex);
        m_connections.push_back(Connection{fd, {}, 0});
    });
    return *this;
}

ScriptedServer& ScriptedServer::Send(std::string bytes) {
    m_steps.push_back([this, bytes = std::move(bytes)] {
        size_t sent = 0;
        while (sent < bytes.size()) {
            waitFor(current().fd, POLLOUT, "Send");
            ssize_t n = send(current().fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n < 0) {
                if (errno == EINTR) continue;
                throw StepFailed(systemError("send"));
            }
            sent += static_cast<size_t>(n);
        }
    });
    return *this;
}

ScriptedServer& ScriptedServer::ReceiveUntil(std::string marker) {
    m_steps.push_back([this, marker = std::move(marker)] {
        for (;;) {
            {
                std::lock_guard lock(m_mutex);
                Connection& connection = current();
                size_t at = connection.received.find(marker, connection.consumed);
                if (at != std::string::npos) {
                    connection.consumed = at + marker.size();
                    return;
                }
            }
            if (!receiveSome("ReceiveUntil"))
                throw StepFailed("ReceiveUntil: the client closed before \"" + marker + "\"");
        }
    });
    return *this;
}

ScriptedServer& ScriptedServer::ReceiveBytes(size_t count) {
    m_steps.push_back([this, count] {
        for (;;) {
            {
                std::lock_guard lock(m_mutex);
                Connection& connection = current();
                if (connection.received.size() - connection.consumed >= count) {
                    connection.consumed += count;
                    return;
                }
            }
            if (!receiveSome("ReceiveBytes"))
                throw StepFailed("ReceiveBytes: the client closed before " + std::to_string(count) +
                                 " bytes");
        }
    });
    return *this;
}

ScriptedServer& ScriptedServer::ReceiveUntilClose() {
    m_steps.push_back([this] {
        while (receiveSome("ReceiveUntilClose")) {
        }
        std::lock_guard lock(m_mutex);
        current().consumed = current().received.size();
    });
    return *this;
}

ScriptedServer& ScriptedServer::WaitForCue() {
    m_steps.push_back([this] {
        std::unique_lock lock(m_mutex);
        bool cued = m_changed.wait_for(lock, m_stepLimit,
                                       [this] { return m_stop || m_cues > m_cuesTaken; });
        if (m_stop) throw StepFailed("WaitForCue: stopped");
        if (!cued) throw StepFailed("WaitForCue: no cue within the step limit");
        ++m_cuesTaken;
    });
    return *this;
}

ScriptedServer& ScriptedServer::Signal() {
    m_steps.push_back([this] {
        {
            std::lock_guard lock(m_mutex);
            ++m_signals;
        }
        m_changed.notify_all();
    });
    return *this;
}

ScriptedServer& ScriptedServer::Close() {
    m_steps.push_back([this] {
        std::lock_guard lock(m_mutex);
        Connection& connection = current();
        shutdown(connection.fd, SHUT_WR);
        close(connection.fd);
        connection.fd = -1;
    });
    return *this;
}

ScriptedServer& ScriptedServer::Reset() {
    m_steps.push_back([this] {
        std::lock_guard lock(m_mutex);
        Connection& connection = current();
        linger abort{1, 0};
        setsockopt(connection.fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        close(connection.fd);
        connection.fd = -1;
    });
    return *this;
}

void ScriptedServer::Start() {
    m_thread = std::thread([this] { run(); });
}

void ScriptedServer::Cue() {
    {
        std::lock_guard lock(m_mutex);
        ++m_cues;
    }
    m_changed.notify_all();
}

bool ScriptedServer::WaitForSignal() {
    std::unique_lock lock(m_mutex);
    bool signalled = m_changed.wait_for(lock, m_stepLimit,
                                        [this] { return m_signals > m_signalsSeen || m_done; });
    if (!signalled || m_signals <= m_signalsSeen) return false;
    ++m_signalsSeen;
    return true;
}

std::string ScriptedServer::Finish() {
    if (m_thread.joinable()) m_thread.join();
    std::lock_guard lock(m_mutex);
    return m_failure;
}

std::string ScriptedServer::Received(size_t index) const {
    std::lock_guard lock(m_mutex);
    return index < m_connections.size() ? m_connections[index].received : std::string();
}

size_t ScriptedServer::ConnectionCount() const {
    std::lock_guard lock(m_mutex);
    return m_connections.size();
}

void ScriptedServer::run() {
    try {
        for (Step& step : m_steps)
            step();
    } catch (const StepFailed& failure) {
        fail(failure.what());
    }
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_changed.notify_all();
}

void ScriptedServer::fail(const std::string& what) {
    std::lock_guard lock(m_mutex);
    m_failure = what;
}

ScriptedServer::Connection& ScriptedServer::current() {
    if (m_connections.empty() || m_connections.back().fd < 0)
        throw StepFailed("no open connection: the script needs an Accept() first");
    return m_connections.back();
}

void ScriptedServer::waitFor(int fd, short events, const char* step) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + m_stepLimit;
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (m_stop) throw StepFailed(std::string(step) + ": stopped");
        }
        if (Clock::now() >= deadline)
            throw StepFailed(std::string(step) + ": nothing happened within the step limit");
        pollfd entry{fd, events, 0};
        int rc = poll(&entry, 1, 20);
        if (rc < 0 && errno != EINTR) throw StepFailed(systemError("poll"));
        if (rc > 0) return;
    }
}

bool ScriptedServer::receiveSome(const char* step) {
    int fd;
    {
        std::lock_guard lock(m_mutex);
        fd = current().fd;
    }
    waitFor(fd, POLLIN, step);
    char buffer[65536];
    ssize_t n;
    do {
        n = recv(fd, buffer, sizeof buffer, 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) throw StepFailed(systemError("recv"));
    if (n == 0) return false;
    std::lock_guard lock(m_mutex);
    current().received.append(buffer, static_cast<size_t>(n));
    return true;
}

} // namespace melvanto::test
