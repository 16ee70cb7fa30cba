#include "net/cookies/cookie.h"

#include "base/str_to_int.h"
#include "net/cookies/byte_text.h"
#include "net/cookies/cookie_pieces.h"
#include "net/cookies/internet_date.h"
#include "platform/clock/local_clock.h"

#include <algorithm>

namespace melvanto {

namespace {

constexpr int32_t DefaultPort = 80;

// Four fields of one to three digits, each 0 to 255, separated by ".".
bool isDottedAddress(std::string_view text) {
    text = TrimBlanks(text);
    if (std::count(text.begin(), text.end(), '.') != 3) return false;
    for (int field = 0; field < 4; ++field) {
        const std::string_view digits = Fetch(text, '.');
        if (digits.empty() || digits.size() > 3) return false;
        int value = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return false;
            value = value * 10 + (c - '0');
        }
        if (value > 255) return false;
    }
    return true;
}

// The host from its first "." on: ".x.y" for img.x.y; empty for a host without a dot.
std::string_view parentDomain(std::string_view host) {
    const size_t dot = host.find('.');
    return dot == std::string_view::npos ? std::string_view() : host.substr(dot);
}

std::string stripPathQuotes(std::string path) {
    if (!path.empty() && path.front() == '"') path.erase(0, 1);
    if (!path.empty() && path.back() == '"') path.pop_back();
    return path;
}

std::vector<int32_t> readPorts(const std::string& value) {
    if (value.empty()) return {DefaultPort};
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return {};
    std::vector<int32_t> ports;
    std::string item;
    for (char c : std::string_view(value).substr(1, value.size() - 2)) {
        if (c != ',' && !IsBlank(c)) {
            item += c;
        } else if (!item.empty()) {
            ports.push_back(StrToInt(item));
            item.clear();
        }
    }
    if (!item.empty()) ports.push_back(StrToInt(item));
    if (ports.empty()) ports.push_back(DefaultPort);
    return ports;
}

} // namespace

void TNetNetscapeCookie::ParseCookieText(std::string_view text) {
    if (text == m_cookieText) return;
    m_cookieText = text;
    const TNetCookiePieces pieces(text);
    m_name = pieces.Name();
    m_value = pieces.Value();
    LoadProperties(pieces);
}

void TNetNetscapeCookie::LoadProperties(const TNetCookiePieces& pieces) {
    m_path = stripPathQuotes(pieces.AttributeValue("PATH"));
    m_expires = pieces.AttributeValue("EXPIRES");
    m_domain = pieces.AttributeValue("DOMAIN");
    m_secure = pieces.HasFlag("SECURE");
}

bool TNetNetscapeCookie::AcceptsHost(std::string_view host) const {
    const std::string_view domain = m_domain;
    // A domain of a single name (".com") would let one host set cookies for a whole
    // top-level domain.
    if (!domain.empty() && domain.front() == '.' && domain.find('.', 1) == std::string::npos)
        return false;
    if (isDottedAddress(host)) return domain == host;
    if (host.empty() || host.front() != '.') {
        if ((domain.empty() || domain.front() != '.') && !isDottedAddress(domain))
            return domain == host;
        return domain == parentDomain(host);
    }
    return SameText(domain, parentDomain(host));
}

void TNetCookieRFC2109::LoadProperties(const TNetCookiePieces& pieces) {
    TNetNetscapeCookie::LoadProperties(pieces);
    m_maxAge = TryStrToInt(pieces.AttributeValue("MAX-AGE")).value_or(-1);
    m_version = pieces.AttributeValue("VERSION");
    m_comment = pieces.AttributeValue("COMMENT");
    if (Expires().empty() && m_maxAge >= 0)
        SetExpires(WriteInternetDate(UtcToLocal(UtcNow() + m_maxAge / SecondsPerDay)));
}

void TNetCookieRFC2965::LoadProperties(const TNetCookiePieces& pieces) {
    TNetCookieRFC2109::LoadProperties(pieces);
    m_commentURL = pieces.AttributeValue("CommentURL");
    m_discard = pieces.HasFlag("DISCARD");
    m_ports = readPorts(pieces.AttributeValue("Port"));
}

} // namespace melvanto
