#include "net/http/http_protocol.h"

#include "base/errors.h"

namespace melvanto {

void TNetHTTPProtocol::SendRequest() {
    m_headBytes = 0;
    // Lines only collect in the batch; the flush is the one send.
    m_connection.StartWriteBatch();
    m_connection.SendLine("GET " + m_request.Target() + " HTTP/1.1");
    for (const std::string& line : m_request.RawHeaders().Lines())
        if (!line.empty()) m_connection.SendLine(line);
    m_connection.SendLine("");
    m_connection.FlushWriteBatch();
}

std::string TNetHTTPProtocol::receiveHeadLine() {
    std::string line = m_connection.ReceiveLine();
    m_headBytes += line.size() + 2;
    if (m_headBytes > MaxHeadBytes) throw ENetException("Reply head too large (over 1 MiB).");
    return line;
}

void TNetHTTPProtocol::ReadReplyHead() {
    m_response.SetResponseText(receiveHeadLine());
    TNetHeaderList& lines = m_response.RawHeaders();
    lines.Clear();
    try {
        for (std::string line = receiveHeadLine(); !line.empty(); line = receiveHeadLine())
            lines.Add(std::move(line));
    } catch (const ENetConnClosedGracefully&) {
        m_connection.CloseLink();
    }
    m_response.ReadHeaderFields();
}

} // namespace melvanto
