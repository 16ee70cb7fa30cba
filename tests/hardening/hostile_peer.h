#pragma once
// A hostile HTTP peer on 127.0.0.1 for the client's tests: it accepts connections, reads
// each request head and then plays a behaviour that may never end on its own (trickling
// bytes, endless lines, endless chunks). The scripted server in tests/support plays a
// fixed list of bytes; these peers need a generator instead.
//
//     HostilePeer peer([](HostilePeer::Link& link) {
//         while (link.Send("x")) link.Pause(std::chrono::seconds(1));
//     });
//     client.FetchToStream("http://127.0.0.1:" + std::to_string(peer.Port()) + "/", ...);
//
// Send fails (false) once the client has closed its side or the peer is stopping, so a
// behaviour ends when the client gives up. Every behaviour is bounded all the same: after
// SendLimit bytes the link gives up and records that it did (ReachedSendLimit), so a test
// can tell a client that gave up from one that waited the peer out.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <thread>

namespace melvanto::testing {

class HostilePeer {
public:
    class Link {
    public:
        // Writes all the bytes; false when the client has gone, the peer stops or the
        // send limit is reached.
        bool Send(std::string_view bytes);
        // Waits; false when the peer stops meanwhile.
        bool Pause(std::chrono::milliseconds time);
        // Closes the connection with a reset.
        void Reset();

    private:
        friend class HostilePeer;
        Link(HostilePeer& peer, int fd) : m_peer(peer), m_fd(fd) {}
        HostilePeer& m_peer;
        int m_fd;
    };
    using Behaviour = std::function<void(Link&)>;

    static constexpr std::size_t DefaultSendLimit = std::size_t{512} << 20;

    explicit HostilePeer(Behaviour behaviour, std::size_t sendLimit = DefaultSendLimit);
    ~HostilePeer();
    HostilePeer(const HostilePeer&) = delete;
    HostilePeer& operator=(const HostilePeer&) = delete;

    uint16_t Port() const { return m_port; }
    std::size_t BytesSent() const { return m_sent; }
    bool ReachedSendLimit() const { return m_reachedLimit; }

private:
    void run();
    bool readRequestHead(int fd);

    Behaviour m_behaviour;
    std::size_t m_sendLimit;
    int m_listenFd = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<std::size_t> m_sent{0};
    std::atomic<bool> m_reachedLimit{false};
    std::thread m_thread;
};

} // namespace melvanto::testing
