#include "support/loopback_ports.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace melvanto::test {

namespace {

[[noreturn]] void failWith(const char* call) {
    throw std::runtime_error(std::string(call) + ": " + std::strerror(errno));
}

// A socket bound to 127.0.0.1 and a port the system picks; gives the port.
uint16_t bindLoopback(int fd) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) failWith("bind");
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        failWith("getsockname");
    return ntohs(address.sin_port);
}

// For a listening socket the system reports the accept queue's length and its limit.
bool acceptQueueFull(int listenFd) {
    tcp_info info{};
    socklen_t length = sizeof info;
    if (getsockopt(listenFd, IPPROTO_TCP, TCP_INFO, &info, &length) != 0) failWith("TCP_INFO");
    return info.tcpi_unacked > info.tcpi_sacked;
}

} // namespace

RefusingPort::RefusingPort() {
    m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0) failWith("socket");
    m_port = bindLoopback(m_fd);
}

RefusingPort::~RefusingPort() {
    close(m_fd);
}

UnansweredPort::UnansweredPort() {
    m_listenFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) failWith("socket");
    m_port = bindLoopback(m_listenFd);
    if (listen(m_listenFd, 0) != 0) failWith("listen");

    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    peer.sin_port = htons(m_port);
    // Each filler completes its handshake while the queue has room; a handful suffices.
    // A filler may itself meet the full queue, so none is waited for without a bound.
    for (int attempt = 0; attempt < 8 && !acceptQueueFull(m_listenFd); ++attempt) {
        int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) failWith("socket");
        m_fillers.push_back(fd);
        if (connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
            if (errno != EINPROGRESS) failWith("connect");
            pollfd entry{fd, POLLOUT, 0};
            poll(&entry, 1, 2000);
        }
    }
    if (!acceptQueueFull(m_listenFd))
        throw std::runtime_error("UnansweredPort: the accept queue did not fill");
}

UnansweredPort::~UnansweredPort() {
    for (int fd : m_fillers)
        close(fd);
    close(m_listenFd);
}

} // namespace melvanto::test
