#include "platform/httprequest/request_limits.h"

#include <mutex>

namespace melvanto {

namespace {

std::mutex g_limitsMutex;
RequestLimits g_limits;

} // namespace

RequestLimits CurrentRequestLimits() {
    std::lock_guard lock(g_limitsMutex);
    return g_limits;
}

void SetRequestLimitsForTesting(const RequestLimits& limits) {
    std::lock_guard lock(g_limitsMutex);
    g_limits = limits;
}

} // namespace melvanto
