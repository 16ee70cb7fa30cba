#include "json/json_node_pool.h"

#include <atomic>
#include <mutex>
#include <new>
#include <vector>

namespace melvanto {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
#else
constexpr bool kPooled = true;
#endif

constexpr size_t kGranule = 16;
constexpr size_t kClasses = TJsonNodePool::kMaxBlock / kGranule;
constexpr size_t kChunkSize = 64 * 1024;

struct FreeBlock {
    FreeBlock* next;
};

size_t classOf(size_t size) noexcept {
    return size == 0 ? 0 : (size + kGranule - 1) / kGranule - 1;
}

// The free lists of threads that ended, whole, and every chunk ever made: chunks are
// never returned, as blocks of any chunk may be in use anywhere.
struct SharedState {
    std::mutex mutex;
    std::vector<FreeBlock*> lists[kClasses];
    std::vector<void*> chunks;
    // How many lists wait above, so that a thread looks under the lock only when any do.
    std::atomic<size_t> waiting{0};
};

SharedState& shared() {
    // Never destroyed: values may still be released while statics are torn down.
    static SharedState* state = new SharedState;
    return *state;
}

// Trivially destructible, so that blocks released while the thread's objects are torn
// down still find valid lists.
struct ThreadCache {
    FreeBlock* lists[kClasses];
    char* bump;
    char* bumpEnd;
};

thread_local ThreadCache t_cache{};

// Gives the thread's free blocks to the other threads when the thread ends.
struct ThreadCacheReturn {
    void Arm() noexcept {}
    ~ThreadCacheReturn() {
        SharedState& state = shared();
        std::lock_guard lock(state.mutex);
        for (size_t c = 0; c < kClasses; ++c) {
            if (!t_cache.lists[c]) continue;
            state.lists[c].push_back(t_cache.lists[c]);
            state.waiting.fetch_add(1, std::memory_order_relaxed);
            t_cache.lists[c] = nullptr;
        }
    }
};

thread_local ThreadCacheReturn t_cacheReturn;

void* carve(size_t blockSize) {
    ThreadCache& cache = t_cache;
    if (static_cast<size_t>(cache.bumpEnd - cache.bump) < blockSize) {
        t_cacheReturn.Arm();
        char* chunk = static_cast<char*>(::operator new(kChunkSize));
        {
            SharedState& state = shared();
            std::lock_guard lock(state.mutex);
            state.chunks.push_back(chunk);
        }
        cache.bump = chunk;
        cache.bumpEnd = chunk + kChunkSize;
    }
    void* block = cache.bump;
    cache.bump += blockSize;
    return block;
}

} // namespace

void* TJsonNodePool::Allocate(size_t size) {
    if (!kPooled || size > kMaxBlock) return ::operator new(size);
    const size_t c = classOf(size);
    FreeBlock*& list = t_cache.lists[c];
    if (!list && shared().waiting.load(std::memory_order_relaxed) != 0) {
        t_cacheReturn.Arm();
        SharedState& state = shared();
        std::lock_guard lock(state.mutex);
        if (!state.lists[c].empty()) {
            list = state.lists[c].back();
            state.lists[c].pop_back();
            state.waiting.fetch_sub(1, std::memory_order_relaxed);
        }
    }
    if (FreeBlock* block = list) {
        list = block->next;
        // The next block is taken soon; blocks come back in release order, scattered.
        if (list) __builtin_prefetch(list, 1);
        return block;
    }
    return carve((c + 1) * kGranule);
}

void TJsonNodePool::Release(void* block, size_t size) noexcept {
    if (!kPooled || size > kMaxBlock) {
        ::operator delete(block);
        return;
    }
    FreeBlock*& list = t_cache.lists[classOf(size)];
    if (!list) t_cacheReturn.Arm();
    list = new (block) FreeBlock{list};
}

} // namespace melvanto
