#include "net/http/response_header_info.h"

namespace melvanto {

TNetResponseHeaderInfo::TNetResponseHeaderInfo() {
    TNetResponseHeaderInfo::ResetHeaderFields();
}

void TNetResponseHeaderInfo::ReadHeaderFields() {
    const TNetHeaderList& lines = RawHeaders();
    m_location = lines.Value("Location");
    m_proxyConnection = lines.Value("Proxy-Connection");
    m_transferEncoding = lines.Value("Transfer-Encoding");
    m_wwwAuthenticate = lines.CollectValues("WWW-Authenticate");
    TNetEntityHeaderInfo::ReadHeaderFields();
}

void TNetResponseHeaderInfo::ResetHeaderFields() {
    TNetEntityHeaderInfo::ResetHeaderFields();
    m_location.clear();
    m_proxyConnection.clear();
    m_transferEncoding.clear();
    m_wwwAuthenticate.clear();
}

} // namespace melvanto
