#pragma once
// How long a service request may wait and how much it may receive. No wait is without
// end: a server that does not answer the connection, or stops sending, ends the request.

#include <chrono>
#include <cstddef>

namespace melvanto {

struct RequestLimits {
    // Time allowed for the TCP connection to be made.
    std::chrono::milliseconds connect{15000};
    // A transfer that receives nothing for this long fails.
    std::chrono::seconds stall{30};
    // A reply body larger than this fails rather than exhausting memory.
    std::size_t maxBodyBytes = std::size_t{64} << 20;
};

// The limits every new request takes.
RequestLimits CurrentRequestLimits();

// Tests only: shorter limits; RequestLimits{} restores the defaults.
void SetRequestLimitsForTesting(const RequestLimits& limits);

} // namespace melvanto
