#pragma once
// Small fixed-size blocks for the values and member entries of JSON trees. A tree is
// made and freed in bulk, node by node; a free list per thread and size, carved from
// 64 KiB chunks, does that at a fraction of the cost of the shared heap, which spends
// its time merging and splitting the small blocks. A block may be returned by another
// thread than the one that took it. Sanitizer builds use the heap directly, so that
// leaks and uses after release stay visible to them.

#include <cstddef>

namespace melvanto {

class TJsonNodePool {
public:
    // Blocks of up to kMaxBlock bytes come from the pool, larger ones from the heap.
    static constexpr size_t kMaxBlock = 128;

    static void* Allocate(size_t size);
    static void Release(void* block, size_t size) noexcept;
};

// A standard allocator drawing on the pool, for the strings and element blocks of trees.
template <typename T> class TJsonPoolAllocator {
public:
    using value_type = T;

    TJsonPoolAllocator() noexcept = default;
    template <typename U> TJsonPoolAllocator(const TJsonPoolAllocator<U>&) noexcept {}

    T* allocate(size_t count) {
        return static_cast<T*>(TJsonNodePool::Allocate(count * sizeof(T)));
    }
    void deallocate(T* block, size_t count) noexcept {
        TJsonNodePool::Release(block, count * sizeof(T));
    }

    template <typename U> bool operator==(const TJsonPoolAllocator<U>&) const noexcept {
        return true;
    }
};

} // namespace melvanto
