#pragma once
// The HTTP client: one GET of a plain http URL into a stream, over a TCP connection that
// stays open for the next request to the same host and port while the replies allow it.
// Cookies that replies set are kept in memory and sent back.

#include "net/cookies/cookie_manager.h"
#include "net/http/body_limit_stream.h"
#include "net/http/http_protocol.h"
#include "net/http/uri.h"
#include "net/tcp/tcp_client.h"

#include <cstdint>
#include <memory>
#include <string>

namespace melvanto {

class TNetCustomHTTP : public TNetTCPClient {
public:
    // How long the body of a failing reply may pause before the call gives up on it.
    static constexpr int ReplyFailureReadTimeoutMs = 2000;

    TNetCustomHTTP();

    // Sends "GET" for the URL and writes the reply body into the stream from its
    // position; the stream ends where the body ends and its position is left there. A
    // reply without a body leaves the stream as it was.
    //
    // Fails with ENetHTTPProtocolException (message: the status line as received) for
    // a status other than 2xx, for a redirect (3xx but 304, or any reply with a
    // "Location"), and for a status line that cannot be read (code -1); the caller's
    // stream is not touched then. Fails with ENetUnknownProtocol (no message) for a
    // protocol other than http and https in a URL without a port, with
    // ENetIOHandlerPropInvalid "IOHandler value is not valid" for https, before
    // anything is sent, and with EConvertError for a port that is not a whole number.
    // A URL without a port goes to its protocol's default port.
    void FetchToStream(const std::string& url, TStream& stream);

    const TNetHTTPRequest& Request() const { return m_protocol.Request(); }
    const TNetHTTPResponse& Response() const { return m_protocol.Response(); }
    int ResponseCode() const { return m_protocol.Response().ResponseCode(); }
    // The current address: the parts of the last URL, with the host and path of earlier
    // ones where the last left them out.
    const TNetURI& URL() const { return m_url; }
    // Made by the first reply head; null before.
    const TNetCookieManager* CookieManager() const { return m_cookieManager.get(); }

    // The largest reply body a call takes (64 MiB unless set; whole MiB); a longer one
    // fails the call with "Reply body too large (over 64 MiB).".
    int64_t MaxBodySize() const { return m_maxBodySize; }
    void SetMaxBodySize(int64_t bytes) { m_maxBodySize = bytes; }

    // Whether the connection stays open after the last reply: it is open and the reply
    // did not say "Connection: close" (or "Proxy-Connection: close"). Replies of
    // HTTP/1.0 servers are judged by the same rule.
    bool ReplyKeepsAlive();

private:
    void prepareRequest(const std::string& url);
    void connectOrReuse();
    void sendRequest();
    void readReplyHeads();
    void takeCookies();
    void judgeReply(TStream& stream);
    void takeChallenge();
    [[noreturn]] void failWithReply();

    TNetHTTPProtocol m_protocol;
    TNetURI m_url;
    std::unique_ptr<TNetCookieManager> m_cookieManager;
    int64_t m_maxBodySize = TNetBodyLimitStream::DefaultMaxBodySize;
    // A request went out and its reply has not been read to its end: the connection
    // holds bytes of it and cannot carry another request.
    bool m_replyPending = false;
};

} // namespace melvanto
