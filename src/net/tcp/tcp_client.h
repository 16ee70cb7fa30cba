#pragma once
// The client side of a TCP connection: opening it to a host and port.

#include "net/tcp/tcp_connection.h"

#include <string>

namespace melvanto {

class TNetTCPClient : public TNetTCPConnection {
public:
    // How long a connect may take when OpenLink is given no time-out of its own.
    static constexpr int DefaultConnectTimeoutMs = 15000;

    const std::string& Host() const { return m_host; }
    void SetHost(std::string host) { m_host = std::move(host); }
    int Port() const { return m_port; }
    void SetPort(int port) { m_port = port; }

    // The limit for connects given no time-out; 0 or less restores the default.
    int ConnectTimeout() const { return m_connectTimeoutMs; }
    void SetConnectTimeout(int milliseconds) {
        m_connectTimeoutMs = milliseconds > 0 ? milliseconds : DefaultConnectTimeoutMs;
    }

    // Opens the connection to host and port (which become Host and Port), bound to any
    // local address and port. "LOCALHOST" and dotted addresses need no look-up; other
    // names take the first IPv4 address found (a look-up is bounded by the system
    // resolver's own time-out and attempts). timeoutMs 0 or -1 means the connect
    // limit (ConnectTimeout); running out fails with "Connect timed out.". A refusal
    // fails with the socket error, or, with a positive timeoutMs, with
    // ENetConnectException carrying its message. Any failure leaves the socket closed.
    virtual void OpenLink(const std::string& host, int port, int timeoutMs);

private:
    std::string m_host;
    int m_port = 0;
    int m_connectTimeoutMs = DefaultConnectTimeoutMs;
};

} // namespace melvanto
