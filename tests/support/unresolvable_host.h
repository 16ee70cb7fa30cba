#pragma once
// A host name that never resolves and whose look-up sends nothing over the network: the
// .invalid top-level domain is reserved never to resolve, and a label of more than 63
// characters cannot be put into a DNS query, so the resolver refuses it on the spot.

#include <string>

namespace melvanto::test {

inline std::string UnresolvableHost() {
    return std::string(64, 'x') + ".invalid";
}

} // namespace melvanto::test
