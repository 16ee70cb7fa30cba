#pragma once
// The reply fields of a head that the client acts on: where a redirect points, whether
// the connection stays, how the body is framed, and the server's challenges.

#include "net/http/entity_header_info.h"

#include <string>
#include <vector>

namespace melvanto {

class TNetResponseHeaderInfo : public TNetEntityHeaderInfo {
public:
    TNetResponseHeaderInfo();

    // Its own fields first, then the entity fields.
    void ReadHeaderFields() override;
    void ResetHeaderFields() override;

    const std::string& Location() const { return m_location; }
    const std::string& ProxyConnection() const { return m_proxyConnection; }
    const std::string& TransferEncoding() const { return m_transferEncoding; }
    // The values of every "WWW-Authenticate" line, in order.
    const std::vector<std::string>& WWWAuthenticate() const { return m_wwwAuthenticate; }

private:
    std::string m_location;
    std::string m_proxyConnection;
    std::string m_transferEncoding;
    std::vector<std::string> m_wwwAuthenticate;
};

} // namespace melvanto
