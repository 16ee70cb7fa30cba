#include "json/json_avl_tree.h"

#include <utility>

namespace melvanto {

namespace {

// Where a key lies relative to an entry: negative on its less side, positive on its
// greater side, 0 for the entry itself.
int compareKey(uint32_t hash, std::u16string_view name, const TJsonAvlEntry& entry) noexcept {
    if (hash != entry.hash) return hash > entry.hash ? -1 : 1;
    int byName = name.compare(entry.name);
    return byName < 0 ? -1 : (byName > 0 ? 1 : 0);
}

} // namespace

TJsonAvlEntry* TJsonAvlTree::rebalance(TJsonAvlEntry* top) noexcept {
    if (top->balance > 0) {
        TJsonAvlEntry* child = top->greater;
        if (child->balance > 0) {
            top->balance = 0;
            child->balance = 0;
            return rotateTowardLess(top);
        }
        TJsonAvlEntry* grand = child->less;
        top->balance = grand->balance > 0 ? -1 : 0;
        child->balance = grand->balance < 0 ? 1 : 0;
        grand->balance = 0;
        top->greater = rotateTowardGreater(child);
        return rotateTowardLess(top);
    }
    TJsonAvlEntry* child = top->less;
    if (child->balance < 0) {
        top->balance = 0;
        child->balance = 0;
        return rotateTowardGreater(top);
    }
    TJsonAvlEntry* grand = child->greater;
    top->balance = grand->balance < 0 ? 1 : 0;
    child->balance = grand->balance > 0 ? -1 : 0;
    grand->balance = 0;
    top->less = rotateTowardLess(child);
    return rotateTowardGreater(top);
}

TJsonAvlTree::~TJsonAvlTree() {
    DrainValues([](IJsonValue& value) { value.Reset(); });
}

const TJsonAvlEntry* TJsonAvlTree::Find(uint32_t hash, std::u16string_view name) const noexcept {
    const TJsonAvlEntry* entry = m_root;
    while (entry) {
        int side = compareKey(hash, name, *entry);
        if (side == 0) return entry;
        entry = side < 0 ? entry->less : entry->greater;
    }
    return nullptr;
}

TJsonAvlEntry* TJsonAvlTree::FindOrInsert(uint32_t hash, std::u16string_view name) {
    // The links walked through, from the root's down to the empty one.
    TJsonAvlEntry** links[kMaxHeight + 1];
    int32_t depth = 0;
    TJsonAvlEntry** link = &m_root;
    while (*link) {
        int side = compareKey(hash, name, **link);
        if (side == 0) return *link;
        links[depth++] = link;
        link = side < 0 ? &(*link)->less : &(*link)->greater;
    }
    auto* entry = new TJsonAvlEntry;
    entry->hash = hash;
    entry->name = name;
    *link = entry;
    ++m_count;

    // Walk back up: each ancestor's side that grew gains one; stop where the height of a
    // subtree is unchanged or after the one rotation an insertion may need.
    TJsonAvlEntry* child = entry;
    while (depth > 0) {
        TJsonAvlEntry** parentLink = links[--depth];
        TJsonAvlEntry* parent = *parentLink;
        parent->balance += parent->greater == child ? 1 : -1;
        if (parent->balance == 0) break;
        if (parent->balance == 2 || parent->balance == -2) {
            *parentLink = rebalance(parent);
            break;
        }
        child = parent;
    }
    return entry;
}

} // namespace melvanto
