#include "net/cookies/cookie_store.h"

#include "net/cookies/byte_text.h"
#include "net/cookies/internet_date.h"
#include "platform/clock/local_clock.h"

#include <mutex>

namespace melvanto {

namespace {

bool endsWithText(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && SameText(text.substr(text.size() - tail.size()), tail);
}

// The cookie's domain is the host itself or one of the domains above it: "img.x.y" and
// ".x.y" both fit the host img.x.y (and a.img.x.y), while neither fits
// img.x.y.example.net, where the text merely occurs.
bool domainFitsHost(std::string_view domain, std::string_view host) {
    if (SameText(domain, host)) return true;
    if (domain.empty()) return false;
    if (domain.front() == '.') return endsWithText(host, domain);
    return host.size() > domain.size() && endsWithText(host, domain) &&
           host[host.size() - domain.size() - 1] == '.';
}

} // namespace

void TNetCookies::AddCookie(std::unique_ptr<TNetNetscapeCookie> cookie) {
    std::unique_lock lock(m_lock);
    size_t domainIndex = m_domains.IndexOf(cookie->Domain());
    if (domainIndex == m_domains.NotFound)
        domainIndex = m_domains.Add(cookie->Domain(), NameList());
    NameList& names = m_domains.Object(domainIndex);
    std::string name = cookie->Name();
    const size_t nameIndex = names.IndexOf(name);
    if (nameIndex == names.NotFound)
        names.Add(std::move(name), std::move(cookie));
    else
        names.Object(nameIndex) = std::move(cookie);
}

void TNetCookies::DropExpiredCookies() {
    // Compared in UTC, so that a change to or from daylight time cannot move an expiry.
    const TDateTime now = UtcNow();
    std::unique_lock lock(m_lock);
    for (size_t d = 0; d < m_domains.Count(); ++d) {
        NameList& names = m_domains.Object(d);
        for (size_t i = names.Count(); i-- > 0;) {
            const std::string& expires = names.Object(i)->Expires();
            // A cookie whose expiry is this very moment is gone: a max-age of 0 means at once.
            if (!expires.empty() && ReadInternetDateUtc(expires) <= now) names.Delete(i);
        }
    }
}

std::string TNetCookies::HeaderValue(std::string_view host, std::string_view path,
                                     bool secure) const {
    std::shared_lock lock(m_lock);
    // Kept in ascending path order; a newcomer goes in front of equal paths.
    std::vector<const TNetNetscapeCookie*> candidates;
    for (size_t d = 0; d < m_domains.Count(); ++d) {
        if (!domainFitsHost(m_domains.Text(d), host)) continue;
        const NameList& names = m_domains.Object(d);
        for (size_t i = names.Count(); i-- > 0;) {
            const TNetNetscapeCookie& cookie = *names.Object(i);
            if (!path.starts_with(cookie.Path())) continue;
            if (cookie.Secure() && !secure) continue;
            if (cookie.Value().empty()) continue;
            auto at = candidates.begin();
            while (at != candidates.end() && CompareText((*at)->Path(), cookie.Path()) < 0)
                ++at;
            candidates.insert(at, &cookie);
        }
    }

    std::string result;
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        if (!result.empty()) result += "; ";
        result += (*it)->ClientCookie();
    }
    return result;
}

std::vector<std::string> TNetCookies::Domains() const {
    std::shared_lock lock(m_lock);
    std::vector<std::string> domains;
    for (size_t d = 0; d < m_domains.Count(); ++d)
        domains.push_back(m_domains.Text(d));
    return domains;
}

std::vector<TNetCookies::CookieRef> TNetCookies::CookiesOf(std::string_view domain) const {
    std::shared_lock lock(m_lock);
    std::vector<CookieRef> cookies;
    const size_t d = m_domains.IndexOf(domain);
    if (d == m_domains.NotFound) return cookies;
    const NameList& names = m_domains.Object(d);
    for (size_t i = 0; i < names.Count(); ++i)
        cookies.push_back(names.Object(i));
    return cookies;
}

} // namespace melvanto
