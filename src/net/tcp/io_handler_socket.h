#pragma once
// The socket handler a connection makes when it opens: one socket and the peer it was
// opened to. Its presence matters on its own: a connection whose handler is gone (after
// CloseLink) is "not connected", one whose handler has a closed socket was closed.

#include "platform/socket/ipv4_socket.h"

#include <string>

namespace melvanto {

class TNetIOHandlerSocket {
public:
    Ipv4Socket& Socket() { return m_socket; }
    const Ipv4Socket& Socket() const { return m_socket; }

    const std::string& PeerIP() const { return m_peerIP; }
    int PeerPort() const { return m_peerPort; }
    void SetPeer(std::string ip, int port) {
        m_peerIP = std::move(ip);
        m_peerPort = port;
    }

private:
    Ipv4Socket m_socket;
    std::string m_peerIP;
    int m_peerPort = 0;
};

} // namespace melvanto
