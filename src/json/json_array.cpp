#include "json/json_array.h"

#include <algorithm>
#include <limits>

namespace melvanto {

namespace {

constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();

} // namespace

IJsonValue TJsonArray::ItemAt(int32_t index) const {
    if (index < 0 || index >= ItemCount()) return {};
    return m_items[static_cast<size_t>(index)];
}

void TJsonArray::SetItemAt(int32_t index, IJsonValue value) {
    if (index < 0 || index == kMaxCount) return;
    if (index >= m_capacity) {
        const int64_t doubled = std::min<int64_t>(int64_t{m_capacity} * 2, kMaxCount);
        m_capacity = index < doubled ? static_cast<int32_t>(doubled) : index + 1;
    }
    if (index >= ItemCount()) m_items.resize(static_cast<size_t>(index) + 1);
    m_items[static_cast<size_t>(index)] = std::move(value);
}

int32_t TJsonArray::AppendItem(IJsonValue value) {
    int32_t index = ItemCount();
    SetItemAt(index, std::move(value));
    return index;
}

} // namespace melvanto
