#include "net/tcp/host_address.h"

#include "net/tcp/socket_failure.h"

namespace melvanto {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// A run of decimal digits with a value from 0 to 255 (leading zeros allowed).
std::optional<uint8_t> octet(std::string_view text) {
    if (text.empty()) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + unsigned(c - '0');
        if (value > 255) return std::nullopt;
    }
    return static_cast<uint8_t>(value);
}

} // namespace

std::optional<Ipv4Address> HostAddressWithoutLookUp(std::string_view host) {
    if (equalsIgnoringCase(host, "LOCALHOST")) return Ipv4Address{{127, 0, 0, 1}};
    Ipv4Address address;
    std::string_view rest = host;
    // The first three parts end at a "."; the fourth is all the remaining text, so a
    // fifth part makes it no whole number.
    for (int i = 0; i < 3; ++i) {
        size_t dot = rest.find('.');
        if (dot == std::string_view::npos) return std::nullopt;
        auto part = octet(rest.substr(0, dot));
        if (!part) return std::nullopt;
        address.octets[i] = *part;
        rest.remove_prefix(dot + 1);
    }
    auto last = octet(rest);
    if (!last) return std::nullopt;
    address.octets[3] = *last;
    return address;
}

Ipv4Address ResolveHostAddress(const std::string& host) {
    if (auto direct = HostAddressWithoutLookUp(host)) return *direct;
    Ipv4LookupResult found = LookUpIpv4(host);
    if (found.error != 0) RaiseSocketError(found.error);
    return found.address;
}

} // namespace melvanto
