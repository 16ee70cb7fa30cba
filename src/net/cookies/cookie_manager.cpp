#include "net/cookies/cookie_manager.h"

#include <memory>

namespace melvanto {

namespace {

// The default path of RFC 6265: the request path up to, not including, its last "/"; "/"
// when that leaves nothing or the path does not begin with "/".
std::string defaultPath(std::string_view requestPath) {
    const size_t lastSlash = requestPath.rfind('/');
    if (requestPath.empty() || requestPath.front() != '/' || lastSlash == 0) return "/";
    return std::string(requestPath.substr(0, lastSlash));
}

} // namespace

void TNetCookieManager::TakeCookie(std::string_view text, std::string_view host,
                                   std::string_view requestPath) {
    auto cookie = std::make_unique<TNetCookieRFC2109>();
    cookie->ParseCookieText(text);
    takeParsedCookie(std::move(cookie), host, requestPath);
}

void TNetCookieManager::TakeCookie2(std::string_view text, std::string_view host,
                                    std::string_view requestPath) {
    auto cookie = std::make_unique<TNetCookieRFC2965>();
    cookie->ParseCookieText(text);
    takeParsedCookie(std::move(cookie), host, requestPath);
}

void TNetCookieManager::takeParsedCookie(std::unique_ptr<TNetNetscapeCookie> cookie,
                                         std::string_view host, std::string_view requestPath) {
    if (cookie->Domain().empty()) cookie->SetDomain(std::string(host));
    // Without a path the cookie would match no request at all.
    if (cookie->Path().empty()) cookie->SetPath(defaultPath(requestPath));
    if (!cookie->AcceptsHost(host)) return;
    if (OnNewCookie && !OnNewCookie(*cookie)) return;
    m_cookies.AddCookie(std::move(cookie));
}

std::string TNetCookieManager::CookieHeaderValue(std::string_view host, std::string_view path,
                                                 bool secure) {
    m_cookies.DropExpiredCookies();
    return m_cookies.HeaderValue(host, path, secure);
}

void TNetCookieManager::DropExpiredCookies() {
    m_cookies.DropExpiredCookies();
}

} // namespace melvanto
