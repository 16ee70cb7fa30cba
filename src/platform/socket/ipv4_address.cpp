#include "platform/socket/ipv4_address.h"

#include "platform/socket/socket_errors.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace melvanto {

std::string Ipv4Address::ToString() const {
    return std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." +
           std::to_string(octets[2]) + "." + std::to_string(octets[3]);
}

namespace {

int lookupErrorNumber(int gaiError, int savedErrno) {
    switch (gaiError) {
    case EAI_SYSTEM:
        return SocketErrorFromErrno(savedErrno);
    case EAI_MEMORY:
        return SocketErrorFromErrno(ENOMEM);
    default:
        // Unknown names, names without an IPv4 address and resolvers that cannot be
        // reached all leave the user with the same fact: the host was not found.
        return kSocketErrorHostNotFound;
    }
}

} // namespace

Ipv4LookupResult LookUpIpv4(const std::string& host) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    errno = 0;
    int rc = getaddrinfo(host.c_str(), nullptr, &hints, &found);
    Ipv4LookupResult result;
    if (rc != 0) {
        result.error = lookupErrorNumber(rc, errno);
        return result;
    }
    result.error = kSocketErrorHostNotFound;
    for (addrinfo* entry = found; entry; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || !entry->ai_addr) continue;
        const auto* in = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
        std::memcpy(result.address.octets.data(), &in->sin_addr.s_addr, 4);
        result.error = 0;
        break;
    }
    freeaddrinfo(found);
    return result;
}

} // namespace melvanto
