#include "net/http/custom_http.h"

#include "base/errors.h"
#include "base/str_to_int.h"
#include "net/http/header_fold.h"
#include "net/http/reply_body.h"

#include <string_view>

namespace melvanto {

namespace {

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool saysClose(std::string_view value) {
    return sameText(TrimHeaderBlanks(value), "close");
}

// Gives the connection's read limit back when a scope ends, by a failure too.
class ReadTimeoutScope {
public:
    ReadTimeoutScope(TNetTCPConnection& connection, int milliseconds)
        : m_connection(connection), m_saved(connection.ReadTimeout()) {
        connection.SetReadTimeout(milliseconds);
    }
    ~ReadTimeoutScope() { m_connection.SetReadTimeout(m_saved); }
    ReadTimeoutScope(const ReadTimeoutScope&) = delete;
    ReadTimeoutScope& operator=(const ReadTimeoutScope&) = delete;

private:
    TNetTCPConnection& m_connection;
    int m_saved;
};

} // namespace

TNetCustomHTTP::TNetCustomHTTP() : m_protocol(*this) {
    SetPort(80);
    m_url.SetPort("80");
}

void TNetCustomHTTP::FetchToStream(const std::string& url, TStream& stream) {
    // A connection is kept only when its last reply allows it and was read to its end.
    auto closeUnlessKept = [this] {
        if (m_replyPending || !ReplyKeepsAlive()) CloseLink();
    };
    try {
        prepareRequest(url);
        connectOrReuse();
        sendRequest();
        readReplyHeads();
        judgeReply(stream);
    } catch (...) {
        closeUnlessKept();
        throw;
    }
    closeUnlessKept();
}

bool TNetCustomHTTP::ReplyKeepsAlive() {
    if (!LinkIsOpen()) return false;
    const TNetHTTPResponse& response = m_protocol.Response();
    return !saysClose(response.Connection()) && !saysClose(response.ProxyConnection());
}

void TNetCustomHTTP::prepareRequest(const std::string& url) {
    // The URL comes from a service reply: a line break in it would end the request line
    // and let the rest pass for header lines of the URL's choosing.
    if (url.find_first_of("\r\n") != std::string::npos)
        throw ENetException("URL contains a line break.");

    TNetHTTPRequest& request = m_protocol.Request();
    request.SetURL(url);
    const TNetURI parts(url);
    if (!parts.Username().empty()) {
        request.SetUsername(parts.Username());
        request.SetPassword(parts.Password());
    }
    m_url.SetUsername(request.Username());
    m_url.SetPassword(request.Password());
    m_url.SetPath(TNetURI::MergePath(m_url.Path(), parts.Path()));
    m_url.SetDocument(parts.Document());
    m_url.SetParams(parts.Params());
    if (!parts.Host().empty()) m_url.SetHost(parts.Host());
    m_url.SetProtocol(parts.Protocol().empty() ? "http" : parts.Protocol());

    // Without a port the protocol's own, also after a request to another port.
    if (!parts.Port().empty())
        m_url.SetPort(parts.Port());
    else if (sameText(m_url.Protocol(), "http"))
        m_url.SetPort("80");
    else if (sameText(m_url.Protocol(), "https"))
        m_url.SetPort("443");
    else
        throw ENetUnknownProtocol("");

    request.SetTarget(m_url.Path() + m_url.Document() + m_url.Params());
    request.SetContentLength(-1);
    request.SetHost(m_url.Port() == "80" ? m_url.Host() : m_url.Host() + ":" + m_url.Port());
}

void TNetCustomHTTP::connectOrReuse() {
    const int port = StrToInt(m_url.Port());
    if (!sameText(m_url.Host(), Host()) || port != Port()) {
        CloseLink();
        SetHost(m_url.Host());
        SetPort(port);
    }
    if (sameText(m_url.Protocol(), "https"))
        throw ENetIOHandlerPropInvalid("IOHandler value is not valid");

    if (!ReplyKeepsAlive()) CloseLink();
    // PollPeerClose gives an idle connection a millisecond to show its close; a close that
    // has come already makes the socket readable at once, so only then is there anything
    // to poll for, and a reused connection costs no wait.
    if (socketIsOpen() && !m_ioHandler->Socket().WaitReadable(0).timedOut) PollPeerClose();
    // Bytes on an idle connection answer no request of ours; the next reply could not be
    // told from them.
    if (LinkIsOpen() && !InputBuffer().Empty()) CloseLink();
    if (!LinkIsOpen()) OpenLink(Host(), Port(), 0);
}

void TNetCustomHTTP::sendRequest() {
    TNetHTTPRequest& request = m_protocol.Request();
    request.WriteHeaderLines();
    if (m_cookieManager)
        request.RawHeaders().SetValue(
            "Cookie", m_cookieManager->CookieHeaderValue(m_url.Host(), m_url.Path(), false));
    m_replyPending = true;
    m_protocol.SendRequest();
}

void TNetCustomHTTP::readReplyHeads() {
    m_protocol.ReadReplyHead();
    takeCookies();
    while (ResponseCode() == 100) {
        m_protocol.ReadReplyHead();
        takeCookies();
    }
}

void TNetCustomHTTP::takeCookies() {
    if (!m_cookieManager) m_cookieManager = std::make_unique<TNetCookieManager>();
    const TNetHeaderList& lines = m_protocol.Response().RawHeaders();
    const std::string requestPath = m_url.Path() + m_url.Document();
    for (const std::string& text : lines.CollectValues("Set-cookie"))
        m_cookieManager->TakeCookie(text, m_url.Host(), requestPath);
    for (const std::string& text : lines.CollectValues("Set-cookie2"))
        m_cookieManager->TakeCookie2(text, m_url.Host(), requestPath);
}

void TNetCustomHTTP::judgeReply(TStream& stream) {
    const TNetHTTPResponse& response = m_protocol.Response();
    const int code = response.ResponseCode();
    // Redirects are not followed.
    if ((code / 100 == 3 && code != 304) || !response.Location().empty()) failWithReply();
    if (code / 100 != 2) {
        if (code == 401) takeChallenge();
        failWithReply();
    }
    if (!LinkIsOpen()) throw ENetException("Undefined situation");
    ReadReplyBody(*this, response, stream, m_maxBodySize);
    m_replyPending = false;
}

// Nothing can supply credentials, so a challenge is never answered within the call; the
// state it leaves makes every later request carry "Authorization", also after the
// connection closes.
void TNetCustomHTTP::takeChallenge() {
    TNetHTTPRequest& request = m_protocol.Request();
    if (request.Authentication()) return;
    for (const std::string& challenge : m_protocol.Response().WWWAuthenticate()) {
        const std::string_view scheme = std::string_view(challenge).substr(0, challenge.find(' '));
        if (sameText(scheme, "Basic")) {
            request.SetAuthentication(TNetBasicAuthentication());
            return;
        }
    }
}

void TNetCustomHTTP::failWithReply() {
    const TNetHTTPResponse& response = m_protocol.Response();
    TMemoryStream body;
    {
        ReadTimeoutScope limit(*this, ReplyFailureReadTimeoutMs);
        try {
            ReadReplyBody(*this, response, body, m_maxBodySize);
            m_replyPending = false;
        } catch (const ENetConnClosedGracefully&) {
            // The status line tells what went wrong; a body cut short adds nothing to it.
        }
    }
    std::string text(reinterpret_cast<const char*>(body.Data()), static_cast<size_t>(body.Size()));
    throw ENetHTTPProtocolException(response.ResponseText(), response.ResponseCode(),
                                    std::move(text));
}

} // namespace melvanto
