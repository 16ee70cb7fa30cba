#pragma once
// TNetCookieManager: the in-memory cookie store of one HTTP client. It takes the cookies of
// "Set-cookie" and "Set-cookie2" reply lines and gives the "Cookie" line of later requests.

#include "net/cookies/cookie.h"
#include "net/cookies/cookie_store.h"

#include <functional>
#include <string>
#include <string_view>

namespace melvanto {

class TNetCookieManager {
public:
    // Asked for every cookie the host may set; false drops it.
    using TNewCookieEvent = std::function<bool(const TNetNetscapeCookie& cookie)>;

    // The value of a "Set-cookie" line, and of a "Set-cookie2" line, received from host for
    // a request of requestPath. A cookie that names no path gets the directory of
    // requestPath, so that it is sent back to where it came from. TakeCookie2 fails with
    // EConvertError for a port list item that is not a whole number.
    void TakeCookie(std::string_view text, std::string_view host, std::string_view requestPath);
    void TakeCookie2(std::string_view text, std::string_view host, std::string_view requestPath);

    // The text of the "Cookie" line for a request to host and path (the directory part of
    // the address, up to and including its last "/"); empty when no cookie fits. Secure
    // cookies go only over a secure connection.
    std::string CookieHeaderValue(std::string_view host, std::string_view path, bool secure);

    void DropExpiredCookies();

    const TNetCookies& CookieCollection() const { return m_cookies; }

    TNewCookieEvent OnNewCookie = [](const TNetNetscapeCookie&) { return true; };

private:
    void takeParsedCookie(std::unique_ptr<TNetNetscapeCookie> cookie, std::string_view host,
                          std::string_view requestPath);

    TNetCookies m_cookies;
};

} // namespace melvanto
