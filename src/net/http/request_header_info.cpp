#include "net/http/request_header_info.h"

#include <limits>

namespace melvanto {

// A folded request line (a continuation line starting with a blank) is refused by
// current servers with "400 Bad Request", so a long "Cookie" line must go out whole.
TNetRequestHeaderInfo::TNetRequestHeaderInfo() {
    RawHeaders().SetFoldLength(std::numeric_limits<int>::max());
    TNetRequestHeaderInfo::ResetHeaderFields();
}

void TNetRequestHeaderInfo::WriteHeaderLines() {
    TNetEntityHeaderInfo::WriteHeaderLines();
    TNetHeaderList& lines = RawHeaders();
    lines.SetValue("Host", m_host);
    lines.SetValue("Accept", m_accept);
    lines.SetValue("User-Agent", m_userAgent);
    if (m_authentication) lines.SetValue("Authorization", m_authentication->Authentication());
}

void TNetRequestHeaderInfo::ResetHeaderFields() {
    TNetEntityHeaderInfo::ResetHeaderFields();
    SetContentType("text/html");
    m_host.clear();
    m_accept = "text/html, */*";
    m_userAgent = "Mozilla/3.0 (compatible; Melvanto)";
    m_username.clear();
    m_password.clear();
    m_authentication.reset();
}

} // namespace melvanto
