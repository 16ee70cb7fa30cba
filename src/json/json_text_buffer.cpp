#include "json/json_text_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace melvanto {

int32_t TJsonTextBuffer::Emit(const char16_t* units, int32_t count) {
    if (count <= 0) return count;
    if (count >= m_capacity - m_length) grow(count);
    std::memcpy(m_data + m_length, units, static_cast<size_t>(count) * sizeof(char16_t));
    m_length += count;
    m_data[m_length] = u'\0';
    return count;
}

void TJsonTextBuffer::DropLast() noexcept {
    if (m_length == 0) return;
    m_data[--m_length] = u'\0';
}

void TJsonTextBuffer::TrimTrailing() noexcept {
    while (m_length > 0) {
        char16_t last = m_data[m_length - 1];
        if (last != u' ' && last != u'\r' && last != u'\n') break;
        --m_length;
    }
    m_data[m_length] = u'\0';
}

std::u16string_view TJsonTextBuffer::ContentToNul() const noexcept {
    return {m_data, std::char_traits<char16_t>::length(m_data)};
}

void TJsonTextBuffer::grow(int32_t count) {
    // The larger of twice the capacity and what is needed plus a little slack.
    int64_t wanted = std::max<int64_t>(int64_t{m_capacity} * 2, int64_t{m_length} + count + 8);
    if (wanted > std::numeric_limits<int32_t>::max()) throw std::bad_alloc();
    auto bigger = std::make_unique_for_overwrite<char16_t[]>(static_cast<size_t>(wanted));
    std::memcpy(bigger.get(), m_data, (static_cast<size_t>(m_length) + 1) * sizeof(char16_t));
    m_heap = std::move(bigger);
    m_data = m_heap.get();
    m_capacity = static_cast<int32_t>(wanted);
}

} // namespace melvanto
