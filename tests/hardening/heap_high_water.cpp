#include "hardening/heap_high_water.h"

#include <chrono>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define MELVANTO_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MELVANTO_HEAP_FROM_SANITIZER 1
#endif
#endif

#ifdef MELVANTO_HEAP_FROM_SANITIZER
// The sanitizer runtime's count of the bytes its allocator hands out now.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace melvanto::testing {

std::size_t HeapBytesInUse() {
#ifdef MELVANTO_HEAP_FROM_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

HeapHighWater::HeapHighWater() : m_start(HeapBytesInUse()), m_peak(m_start) {
    m_sampler = std::thread([this] {
        while (!m_stop) {
            const std::size_t now = HeapBytesInUse();
            std::size_t peak = m_peak;
            while (now > peak && !m_peak.compare_exchange_weak(peak, now)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
}

HeapHighWater::~HeapHighWater() {
    m_stop = true;
    m_sampler.join();
}

std::size_t HeapHighWater::PeakGrowth() const {
    const std::size_t now = HeapBytesInUse();
    const std::size_t peak = m_peak > now ? m_peak.load() : now;
    return peak > m_start ? peak - m_start : 0;
}

} // namespace melvanto::testing
