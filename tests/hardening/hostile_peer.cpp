#include "hardening/hostile_peer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace melvanto::testing {

namespace {

constexpr int kPollSliceMs = 50;
constexpr std::size_t kMostHeadBytes = 65536;

} // namespace

HostilePeer::HostilePeer(Behaviour behaviour, std::size_t sendLimit)
    : m_behaviour(std::move(behaviour)), m_sendLimit(sendLimit) {
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listenFd, 8) != 0 ||
        ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(m_listenFd);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
}

HostilePeer::~HostilePeer() {
    m_stop = true;
    m_thread.join();
    ::close(m_listenFd);
}

void HostilePeer::run() {
    while (!m_stop) {
        pollfd listening{m_listenFd, POLLIN, 0};
        if (::poll(&listening, 1, kPollSliceMs) != 1) continue;
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        if (readRequestHead(fd)) {
            Link link(*this, fd);
            m_behaviour(link);
        }
        ::close(fd);
    }
}

bool HostilePeer::readRequestHead(int fd) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMostHeadBytes) {
        pollfd readable{fd, POLLIN, 0};
        if (m_stop) return false;
        if (::poll(&readable, 1, kPollSliceMs) != 1) continue;
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) return false;
        head.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

bool HostilePeer::Link::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        if (m_peer.m_stop) return false;
        if (m_peer.m_sent >= m_peer.m_sendLimit) {
            m_peer.m_reachedLimit = true;
            return false;
        }
        pollfd writable{m_fd, POLLOUT, 0};
        if (::poll(&writable, 1, kPollSliceMs) != 1) continue;
        if (writable.revents & (POLLERR | POLLHUP)) return false;
        const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            return false;
        }
        m_peer.m_sent += static_cast<std::size_t>(sent);
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

bool HostilePeer::Link::Pause(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        if (m_peer.m_stop) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void HostilePeer::Link::Reset() {
    linger hard{1, 0};
    ::setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    ::shutdown(m_fd, SHUT_RDWR);
}

} // namespace melvanto::testing
