#pragma once
// The cookies a server sets. A "Set-cookie" value makes a TNetCookieRFC2109, a
// "Set-cookie2" value a TNetCookieRFC2965; TNetNetscapeCookie holds what both share and
// all that is used when sending them back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace melvanto {

class TNetCookiePieces;

class TNetNetscapeCookie {
public:
    TNetNetscapeCookie() = default;
    TNetNetscapeCookie(const TNetNetscapeCookie&) = delete;
    TNetNetscapeCookie& operator=(const TNetNetscapeCookie&) = delete;
    virtual ~TNetNetscapeCookie() = default;

    // Loads the cookie from the value of a reply line; the text it already holds is kept.
    void ParseCookieText(std::string_view text);

    // Whether the host that sent the cookie may set it for its domain.
    bool AcceptsHost(std::string_view host) const;

    // "name=value", as it goes into a request.
    std::string ClientCookie() const { return m_name + "=" + m_value; }

    const std::string& CookieText() const { return m_cookieText; }
    const std::string& Name() const { return m_name; }
    const std::string& Value() const { return m_value; }
    const std::string& Path() const { return m_path; }
    const std::string& Domain() const { return m_domain; }
    // The expiry date text; empty for a cookie that lives as long as its store.
    const std::string& Expires() const { return m_expires; }
    bool Secure() const { return m_secure; }

    void SetPath(std::string path) { m_path = std::move(path); }
    void SetDomain(std::string domain) { m_domain = std::move(domain); }
    void SetExpires(std::string expires) { m_expires = std::move(expires); }

protected:
    virtual void LoadProperties(const TNetCookiePieces& pieces);

private:
    std::string m_cookieText;
    std::string m_name;
    std::string m_value;
    std::string m_path;
    std::string m_domain;
    std::string m_expires;
    bool m_secure = false;
};

class TNetCookieRFC2109 : public TNetNetscapeCookie {
public:
    // Seconds the cookie may live, -1 when not given.
    int32_t MaxAge() const { return m_maxAge; }
    const std::string& Version() const { return m_version; }
    const std::string& Comment() const { return m_comment; }

protected:
    void LoadProperties(const TNetCookiePieces& pieces) override;

private:
    int32_t m_maxAge = -1;
    std::string m_version;
    std::string m_comment;
};

class TNetCookieRFC2965 : public TNetCookieRFC2109 {
public:
    const std::string& CommentURL() const { return m_commentURL; }
    bool Discard() const { return m_discard; }
    const std::vector<int32_t>& Ports() const { return m_ports; }

protected:
    // A port item that is not a whole number fails with EConvertError.
    void LoadProperties(const TNetCookiePieces& pieces) override;

private:
    std::string m_commentURL;
    bool m_discard = false;
    std::vector<int32_t> m_ports;
};

} // namespace melvanto
