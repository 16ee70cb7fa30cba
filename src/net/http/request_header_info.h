#pragma once
// The request fields of a head: host text, accepted types, user agent, the credentials
// a URL carried and the authorization state.

#include "net/http/basic_authentication.h"
#include "net/http/entity_header_info.h"

#include <optional>
#include <string>

namespace melvanto {

class TNetRequestHeaderInfo : public TNetEntityHeaderInfo {
public:
    TNetRequestHeaderInfo();

    // The entity lines first, then "Host", "Accept", "User-Agent" and "Authorization".
    void WriteHeaderLines() override;
    void ResetHeaderFields() override;

    const std::string& Host() const { return m_host; }
    void SetHost(std::string value) { m_host = std::move(value); }
    const std::string& Accept() const { return m_accept; }
    const std::string& UserAgent() const { return m_userAgent; }
    const std::string& Username() const { return m_username; }
    void SetUsername(std::string value) { m_username = std::move(value); }
    const std::string& Password() const { return m_password; }
    void SetPassword(std::string value) { m_password = std::move(value); }

    const std::optional<TNetBasicAuthentication>& Authentication() const {
        return m_authentication;
    }
    void SetAuthentication(TNetBasicAuthentication authentication) {
        m_authentication = std::move(authentication);
    }

private:
    std::string m_host;
    std::string m_accept;
    std::string m_userAgent;
    std::string m_username;
    std::string m_password;
    std::optional<TNetBasicAuthentication> m_authentication;
};

} // namespace melvanto
