#pragma once
// TJsonAvlTree: a height-balanced search tree of named entries keyed by a 32-bit name
// hash and the name. An entry lies on the less side of another when its hash is greater
// (unsigned), or the hashes are equal and its name is smaller, so that an in-order walk,
// less side first, yields falling hashes and, for equal hashes, rising names.

#include "json/json_handle.h"
#include "json/json_node_pool.h"
#include "json/json_string.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace melvanto {

struct TJsonAvlEntry {
    static void* operator new(size_t size) { return TJsonNodePool::Allocate(size); }
    static void operator delete(void* block, size_t size) noexcept {
        TJsonNodePool::Release(block, size);
    }

    TJsonAvlEntry* greater = nullptr;
    TJsonAvlEntry* less = nullptr;
    // Height of the greater side minus height of the less side: -1, 0 or +1.
    int32_t balance = 0;
    uint32_t hash = 0;
    TJsonString name;
    IJsonValue value;
};

class TJsonAvlTree {
public:
    // An AVL tree holding fewer than 2^31 entries is at most 44 levels high.
    static constexpr int32_t kMaxHeight = 48;

    TJsonAvlTree() = default;
    TJsonAvlTree(const TJsonAvlTree&) = delete;
    TJsonAvlTree& operator=(const TJsonAvlTree&) = delete;
    ~TJsonAvlTree();

    int32_t Count() const noexcept { return m_count; }
    const TJsonAvlEntry* Root() const noexcept { return m_root; }

    // The entry with exactly this hash and name, or null.
    const TJsonAvlEntry* Find(uint32_t hash, std::u16string_view name) const noexcept;
    // The entry with this hash and name; a new one (with a nil value) is linked in and the
    // balance restored when there is none.
    TJsonAvlEntry* FindOrInsert(uint32_t hash, std::u16string_view name);
    // Removes every entry, handing each value to `sink` (as IJsonValue&) first.
    template <typename Sink> void DrainValues(Sink&& sink) noexcept {
        // Rotate less-side children up until the top has none, then free the top: every
        // entry goes without recursion and without a stack.
        TJsonAvlEntry* top = m_root;
        m_root = nullptr;
        m_count = 0;
        while (top) {
            if (top->less) {
                top = rotateTowardGreater(top);
                continue;
            }
            TJsonAvlEntry* next = top->greater;
            sink(top->value);
            delete top;
            top = next;
        }
    }

private:
    // Single rotations: lift the greater-side / less-side child of `top` above it.
    // Each returns the new top of the subtree.
    static TJsonAvlEntry* rotateTowardLess(TJsonAvlEntry* top) noexcept {
        TJsonAvlEntry* up = top->greater;
        top->greater = up->less;
        up->less = top;
        return up;
    }
    static TJsonAvlEntry* rotateTowardGreater(TJsonAvlEntry* top) noexcept {
        TJsonAvlEntry* up = top->less;
        top->less = up->greater;
        up->greater = top;
        return up;
    }
    // Rebalances a subtree whose top has a balance of +2 or -2 after an insertion below
    // it; the subtree gets back the height it had before that insertion.
    static TJsonAvlEntry* rebalance(TJsonAvlEntry* top) noexcept;

    TJsonAvlEntry* m_root = nullptr;
    int32_t m_count = 0;
};

} // namespace melvanto
