#pragma once
// The highest heap use of this process while an object lives, above what it was at the
// start, sampled every millisecond from the allocator's own accounting (glibc's
// mallinfo2, or the sanitizer allocator's count in a sanitizer build, where resident
// size says little). Short spikes between samples can be missed; a large block that is
// filled, or waited on, is not.

#include <atomic>
#include <cstddef>
#include <thread>

namespace melvanto::testing {

// Bytes currently allocated on the heap (large blocks included).
std::size_t HeapBytesInUse();

class HeapHighWater {
public:
    HeapHighWater();
    ~HeapHighWater();
    HeapHighWater(const HeapHighWater&) = delete;
    HeapHighWater& operator=(const HeapHighWater&) = delete;

    // The peak so far above the use at construction.
    std::size_t PeakGrowth() const;

private:
    std::size_t m_start;
    std::atomic<std::size_t> m_peak;
    std::atomic<bool> m_stop{false};
    std::thread m_sampler;
};

} // namespace melvanto::testing
