#pragma once
// From the host text of a connection to the address to connect to.

#include "platform/socket/ipv4_address.h"

#include <optional>
#include <string>
#include <string_view>

namespace melvanto {

// "LOCALHOST" (any letter case) is 127.0.0.1, and four "."-separated whole numbers from
// 0 to 255 are the address itself; neither needs a look-up. Anything else: nullopt.
std::optional<Ipv4Address> HostAddressWithoutLookUp(std::string_view host);

// The address of a host: without a look-up where possible, else the first IPv4 address
// the look-up finds. A failed look-up fails with ENetSocketError (11001 "Host not found.").
Ipv4Address ResolveHostAddress(const std::string& host);

} // namespace melvanto
