#pragma once
// TJsonArray: the elements of an array value, one block of slots that each hold one
// reference or nil. The capacity starts at 32 and grows by doubling (or to index + 1).
// The block behind it is filled in as elements arrive, also growing by doubling, so that
// the many small arrays of a reply do not each hold 32 slots.

#include "json/json_handle.h"
#include "json/json_node_pool.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace melvanto {

class TJsonArray {
public:
    static constexpr int32_t kInitialCapacity = 32;

    TJsonArray() = default;
    TJsonArray(const TJsonArray&) = delete;
    TJsonArray& operator=(const TJsonArray&) = delete;

    int32_t ItemCount() const noexcept { return static_cast<int32_t>(m_items.size()); }
    int32_t Capacity() const noexcept { return m_capacity; }

    // The element at `index` (a reference of the caller's own), or nil outside
    // 0..ItemCount-1 and for a nil slot.
    IJsonValue ItemAt(int32_t index) const;
    // The element at a valid index without taking a reference (null for a nil slot).
    const TJsonValue* PeekAt(int32_t index) const noexcept {
        return m_items[static_cast<size_t>(index)].get();
    }
    // Stores `value` at `index`, growing the storage and raising ItemCount to index + 1
    // when needed; slots passed over hold nil. A negative index, or one that no count
    // could reach, stores nothing.
    void SetItemAt(int32_t index, IJsonValue value);
    // Stores `value` at index ItemCount; returns the index used.
    int32_t AppendItem(IJsonValue value);

    // Hands every slot to `sink` (as IJsonValue&), then empties the storage.
    template <typename Sink> void DrainItems(Sink&& sink) noexcept {
        for (IJsonValue& item : m_items)
            sink(item);
        m_items.clear();
    }

private:
    std::vector<IJsonValue, TJsonPoolAllocator<IJsonValue>> m_items;
    int32_t m_capacity = kInitialCapacity;
};

} // namespace melvanto
