#pragma once
// TJsonAvlIterator: the in-order walk of a TJsonAvlTree, less side first, so that
// entries come by falling hash and, for equal hashes, by rising name.

#include "json/json_avl_tree.h"

#include <cstdint>

namespace melvanto {

class TJsonAvlIterator {
public:
    explicit TJsonAvlIterator(const TJsonAvlTree& tree) noexcept { pushLessSpine(tree.Root()); }

    // The next entry, or null after the last one.
    const TJsonAvlEntry* Next() noexcept {
        if (m_depth == 0) return nullptr;
        const TJsonAvlEntry* entry = m_path[--m_depth];
        pushLessSpine(entry->greater);
        return entry;
    }

private:
    void pushLessSpine(const TJsonAvlEntry* entry) noexcept {
        for (; entry; entry = entry->less)
            m_path[m_depth++] = entry;
    }

    // The entries whose greater side is still to come; never more than the tree's height.
    const TJsonAvlEntry* m_path[TJsonAvlTree::kMaxHeight];
    int32_t m_depth = 0;
};

} // namespace melvanto
