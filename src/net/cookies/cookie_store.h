#pragma once
// TNetCookies: the cookies of one manager, indexed by domain and, within a domain, by
// name, both in the order they arrived. Readers (building a "Cookie" line) share a lock;
// storing and dropping take it alone. Stored cookies are never changed: a newcomer of a
// name already present takes that cookie's place, so a reader's copy stays valid.

#include "net/cookies/cookie.h"
#include "net/cookies/cookie_list.h"

#include <memory>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

namespace melvanto {

class TNetCookies {
public:
    using CookieRef = std::shared_ptr<const TNetNetscapeCookie>;

    // Stores the cookie under its domain; a cookie of the same name in that domain (letter
    // case ignored, whatever its path) is replaced where it stands.
    void AddCookie(std::unique_ptr<TNetNetscapeCookie> cookie);

    // Removes every cookie whose expiry date has come; a date that cannot be read counts
    // as long past.
    void DropExpiredCookies();

    // The fitting cookies as "name=value" texts joined by "; ", longest path first;
    // empty when none fits.
    std::string HeaderValue(std::string_view host, std::string_view path, bool secure) const;

    // The domains in the order they were first used, and one domain's cookies in the
    // order their names were first stored.
    std::vector<std::string> Domains() const;
    std::vector<CookieRef> CookiesOf(std::string_view domain) const;

private:
    using NameList = TNetCookieList<CookieRef>;

    mutable std::shared_mutex m_lock;
    TNetCookieList<NameList> m_domains;
};

} // namespace melvanto
