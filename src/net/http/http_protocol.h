#pragma once
// One exchange on the wire: the request record goes out as a request head, the reply
// head comes back into the response record.

#include "net/http/http_request.h"
#include "net/http/http_response.h"
#include "net/tcp/tcp_connection.h"

#include <cstddef>

namespace melvanto {

class TNetHTTPProtocol {
public:
    // The most a reply head may take, interim heads of the same exchange included, so a
    // server that sends header lines without end cannot hold the call for ever.
    static constexpr size_t MaxHeadBytes = size_t{1} << 20;

    explicit TNetHTTPProtocol(TNetTCPConnection& connection) : m_connection(connection) {}

    TNetHTTPRequest& Request() { return m_request; }
    const TNetHTTPRequest& Request() const { return m_request; }
    TNetHTTPResponse& Response() { return m_response; }
    const TNetHTTPResponse& Response() const { return m_response; }

    // Sends "GET <target> HTTP/1.1", the request's raw header lines and an empty line,
    // all in one send.
    void SendRequest();

    // Reads the status line and the header lines up to an empty line, and fills the
    // response fields. A close by the server among the header lines ends the head and
    // closes the connection on this side; a close before the status line fails with
    // "Connection Closed Gracefully.".
    void ReadReplyHead();

private:
    std::string receiveHeadLine();

    TNetTCPConnection& m_connection;
    TNetHTTPRequest m_request;
    TNetHTTPResponse m_response;
    size_t m_headBytes = 0;
};

} // namespace melvanto
