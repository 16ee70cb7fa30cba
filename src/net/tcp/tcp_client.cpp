#include "net/tcp/tcp_client.h"

#include "base/errors.h"
#include "net/tcp/host_address.h"
#include "net/tcp/socket_failure.h"
#include "platform/socket/socket_errors.h"

namespace melvanto {

void TNetTCPClient::OpenLink(const std::string& host, int port, int timeoutMs) {
    if (!m_ioHandler) {
        m_ioHandler = std::make_unique<TNetIOHandlerSocket>();
    } else if (m_ioHandler->Socket().IsOpen()) {
        throw ENetAlreadyConnected("Already connected.");
    }
    m_host = host;
    m_port = port;
    try {
        Ipv4Socket& socket = m_ioHandler->Socket();
        socket.Close();
        m_ioHandler->SetPeer({}, 0);
        m_input.Clear();
        m_peerClosed = false;

        if (socket.Open() != 0) throw ENetInvalidSocket("Cannot allocate socket.");
        if (int error = socket.BindAny(); error != 0) {
            if (error == kSocketErrorAddressInUse)
                throw ENetCouldNotBindSocket(
                    "Could not bind socket. Address and port are already in use.");
            RaiseSocketError(error);
        }
        Ipv4Address peer = ResolveHostAddress(host);
        // A port outside the 16-bit range would wrap round to another port.
        if (port < 0 || port > 65535) RaiseSocketError(kSocketErrorAddressNotAvailable);
        m_ioHandler->SetPeer(peer.ToString(), port);

        const int limit = timeoutMs > 0 ? timeoutMs : m_connectTimeoutMs;
        SocketResult connected = socket.Connect(peer, static_cast<uint16_t>(port), limit);
        if (connected.timedOut) throw ENetConnectTimeout("Connect timed out.");
        if (connected.error != 0) {
            if (timeoutMs > 0) throw ENetConnectException(SocketErrorMessage(connected.error));
            RaiseSocketError(connected.error);
        }
    } catch (...) {
        CloseSocketOnly();
        throw;
    }
}

} // namespace melvanto
