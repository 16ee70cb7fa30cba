// FetchToStream on any reply. A loopback peer on 127.0.0.1 reads the request head, sends
// the fuzzed bytes as the reply and closes. Besides not crashing and not hanging, the call
// must succeed or fail with one of the system's failures, and the stream must end at its
// position, with a failing reply leaving it untouched.
#include "base/errors.h"
#include "base/memory_stream.h"
#include "net/http/http_client.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// How long the peer waits for the client at any step; the client never makes it wait.
constexpr int kPeerWaitMs = 5000;

bool waitFor(int fd, short events) {
    pollfd entry{fd, events, 0};
    int rc;
    do {
        rc = poll(&entry, 1, kPeerWaitMs);
    } while (rc < 0 && errno == EINTR);
    return rc > 0;
}

class ReplyPeer {
public:
    ReplyPeer() {
        m_listenFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        check(m_listenFd >= 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        check(bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        check(listen(m_listenFd, 8) == 0);
        check(getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length) == 0);
        m_port = ntohs(address.sin_port);
    }

    uint16_t Port() const { return m_port; }

    // One connection: the request head in, the reply out, then a graceful close.
    void ServeOnce(const std::string& reply) const {
        if (!waitFor(m_listenFd, POLLIN)) return;
        const int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) return;
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && waitFor(fd, POLLIN)) {
            const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request.append(buffer, static_cast<size_t>(n));
        }
        size_t sent = 0;
        while (sent < reply.size() && waitFor(fd, POLLOUT)) {
            const ssize_t n = send(fd, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += static_cast<size_t>(n);
        }
        shutdown(fd, SHUT_WR);
        close(fd);
    }

private:
    int m_listenFd = -1;
    uint16_t m_port = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ReplyPeer peer;
    const std::string reply(reinterpret_cast<const char*>(data), size);
    std::thread server([&] { peer.ServeOnce(reply); });

    melvanto::TMemoryStream stream;
    stream.Write("prefix", 6);
    {
        melvanto::TNetHTTP http;
        http.SetReadTimeout(1000);
        const std::string url = "http://127.0.0.1:" + std::to_string(peer.Port()) + "/dir/pic.jpg";
        try {
            http.FetchToStream(url, stream);
            check(http.ResponseCode() / 100 == 2);
        } catch (const melvanto::ENetHTTPProtocolException& failure) {
            check(stream.Size() == 6 && stream.Position() == 6);
            check(failure.StatusCode() == http.ResponseCode());
        } catch (const melvanto::Exception&) {
            // Every other failure of the system is an acceptable answer to bad bytes.
        }
    }
    check(stream.Size() == stream.Position() && stream.Size() >= 6);
    server.join();
    return 0;
}
