#include "platform/socket/ipv4_socket.h"

#include "platform/socket/socket_errors.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace melvanto {

namespace {

std::atomic<uint64_t> g_sendCalls{0};

int lastError() {
    return SocketErrorFromErrno(errno);
}

bool setBlocking(int fd, bool blocking) {
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0) return false;
    flags = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return fcntl(fd, F_SETFL, flags) == 0;
}

// poll() on one descriptor for at most timeoutMs (< 0: without limit); a signal does not
// shorten the wait. Gives poll's result: > 0 ready, 0 timed out, < 0 failed (errno set).
int pollFor(int fd, short events, int timeoutMs) {
    // poll() skips a negative descriptor and would wait for nothing.
    if (fd < 0) {
        errno = EBADF;
        return -1;
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    pollfd entry{fd, events, 0};
    for (;;) {
        int wait = -1;
        if (timeoutMs >= 0) {
            auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            wait = left.count() < 0 ? 0 : static_cast<int>(left.count());
        }
        int rc = poll(&entry, 1, wait);
        if (rc < 0 && errno == EINTR) continue;
        if (rc > 0 && (entry.revents & POLLNVAL)) {
            errno = EBADF;
            return -1;
        }
        return rc;
    }
}

} // namespace

Ipv4Socket::~Ipv4Socket() {
    Close();
}

int Ipv4Socket::Open() {
    Close();
    m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return m_fd < 0 ? lastError() : 0;
}

int Ipv4Socket::BindAny() {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = 0;
    return bind(m_fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0 ? 0
                                                                                    : lastError();
}

SocketResult Ipv4Socket::Connect(const Ipv4Address& address, uint16_t port, int timeoutMs) {
    SocketResult result;
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    std::memcpy(&peer.sin_addr.s_addr, address.octets.data(), 4);

    if (!setBlocking(m_fd, false)) {
        result.error = lastError();
        return result;
    }
    if (connect(m_fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
        if (errno != EINPROGRESS) {
            result.error = lastError();
            return result;
        }
        int rc = pollFor(m_fd, POLLOUT, timeoutMs);
        if (rc < 0) {
            result.error = lastError();
            return result;
        }
        if (rc == 0) {
            result.timedOut = true;
            return result;
        }
        int pending = 0;
        socklen_t length = sizeof pending;
        if (getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &pending, &length) != 0) {
            result.error = lastError();
            return result;
        }
        if (pending != 0) {
            result.error = SocketErrorFromErrno(pending);
            return result;
        }
    }
    if (!setBlocking(m_fd, true)) result.error = lastError();
    return result;
}

SocketResult Ipv4Socket::WaitReadable(int timeoutMs) {
    SocketResult result;
    int rc = pollFor(m_fd, POLLIN, timeoutMs);
    if (rc < 0)
        result.error = lastError();
    else if (rc == 0)
        result.timedOut = true;
    return result;
}

SocketResult Ipv4Socket::Receive(char* buffer, size_t capacity) {
    SocketResult result;
    ssize_t n;
    do {
        n = recv(m_fd, buffer, capacity, 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        result.error = lastError();
    else
        result.bytes = static_cast<size_t>(n);
    return result;
}

SocketResult Ipv4Socket::Send(const char* data, size_t size) {
    SocketResult result;
    ssize_t n;
    do {
        g_sendCalls.fetch_add(1, std::memory_order_relaxed);
        n = send(m_fd, data, size, MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        result.error = lastError();
    else
        result.bytes = static_cast<size_t>(n);
    return result;
}

void Ipv4Socket::ShutdownSend() {
    if (m_fd >= 0) shutdown(m_fd, SHUT_WR);
}

void Ipv4Socket::Close() {
    if (m_fd < 0) return;
    close(m_fd);
    m_fd = -1;
}

uint16_t Ipv4Socket::LocalPort() const {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (m_fd < 0 || getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) return 0;
    return ntohs(local.sin_port);
}

uint64_t SendCallCountForTesting() {
    return g_sendCalls.load(std::memory_order_relaxed);
}

} // namespace melvanto
