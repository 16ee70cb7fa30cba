#pragma once
// One IPv4 stream socket over POSIX sockets and poll(). Every call gives its outcome as
// a Windows Sockets error number (0 on success) instead of leaving it in errno, so the
// number cannot be lost to a later call. Writing to a peer that has gone never raises
// SIGPIPE: sends use MSG_NOSIGNAL.

#include "platform/socket/ipv4_address.h"

#include <cstddef>
#include <cstdint>

namespace melvanto {

struct SocketResult {
    int error = 0;         // Windows Sockets error number, 0 when the call succeeded
    size_t bytes = 0;      // bytes sent or received
    bool timedOut = false; // the wait ended by its time limit
};

class Ipv4Socket {
public:
    Ipv4Socket() = default;
    ~Ipv4Socket();
    Ipv4Socket(const Ipv4Socket&) = delete;
    Ipv4Socket& operator=(const Ipv4Socket&) = delete;

    bool IsOpen() const { return m_fd >= 0; }

    // A new IPv4 stream socket, protocol 0. Gives 0 or an error number.
    int Open();
    // Binds to any local address and port 0 (the system picks the port).
    int BindAny();
    // Connects without blocking the caller longer than timeoutMs (> 0); a connect that
    // has not completed by then gives timedOut. The socket is blocking again afterwards.
    SocketResult Connect(const Ipv4Address& address, uint16_t port, int timeoutMs);
    // Waits until data, a close or an error can be read, at most timeoutMs (< 0: without
    // limit). timedOut tells that the time ran out first.
    SocketResult WaitReadable(int timeoutMs);
    // Receives at most capacity bytes; bytes 0 with no error means the peer closed.
    SocketResult Receive(char* buffer, size_t capacity);
    // Sends what the system takes of the bytes in one call.
    SocketResult Send(const char* data, size_t size);
    // Shuts the sending side down; the outcome is not looked at.
    void ShutdownSend();
    void Close();

    // The local port once bound or connected, 0 when there is none.
    uint16_t LocalPort() const;

private:
    int m_fd = -1;
};

// Tests only: the number of send calls made by all sockets of the process, so a test
// can tell that a batch left in one call.
uint64_t SendCallCountForTesting();

} // namespace melvanto
