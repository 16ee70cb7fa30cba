#pragma once
// IPv4 addresses and the name look-up. Only IPv4 is used.

#include <array>
#include <cstdint>
#include <string>

namespace melvanto {

struct Ipv4Address {
    std::array<uint8_t, 4> octets{};

    // Dotted decimal text, e.g. "127.0.0.1".
    std::string ToString() const;
    bool operator==(const Ipv4Address&) const = default;
};

struct Ipv4LookupResult {
    // 0, or the Windows Sockets number of the failure (kSocketErrorHostNotFound for a
    // name that does not resolve).
    int error = 0;
    Ipv4Address address;
};

// The first IPv4 address of a host name (getaddrinfo, AF_INET). The look-up cannot hang
// for ever: the system resolver gives up after its configured time-out and attempts per
// name server (resolv.conf "options timeout:N attempts:N", 5 s and 2 when not set).
Ipv4LookupResult LookUpIpv4(const std::string& host);

} // namespace melvanto
