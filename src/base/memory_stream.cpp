#include "base/memory_stream.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace melvanto {

TMemoryStream::~TMemoryStream() {
    std::free(m_data);
}

void TMemoryStream::reserve(size_t capacity) {
    if (capacity <= m_capacity) return;
    size_t grown = m_capacity + m_capacity / 2;
    if (grown < capacity) grown = capacity;
    void* block = std::realloc(m_data, grown);
    if (!block) throw std::bad_alloc();
    m_data = static_cast<uint8_t*>(block);
    m_capacity = grown;
}

void TMemoryStream::SetSize(int64_t size) {
    size_t newSize = size < 0 ? 0 : static_cast<size_t>(size);
    // Grown like a write: a stream grown step by step (a chunked body sets its size ahead
    // of each chunk) would otherwise be moved and copied once per step.
    reserve(newSize);
    m_size = newSize;
    if (m_position > m_size) m_position = m_size;
}

void TMemoryStream::SetPosition(int64_t position) {
    m_position = position < 0 ? 0 : static_cast<size_t>(position);
}

void TMemoryStream::Write(const void* data, size_t count) {
    if (count == 0) return;
    size_t end = m_position + count;
    reserve(end);
    std::memcpy(m_data + m_position, data, count);
    m_position = end;
    if (end > m_size) m_size = end;
}

size_t TMemoryStream::Read(void* data, size_t count) {
    if (m_position >= m_size) return 0;
    size_t available = m_size - m_position;
    size_t n = count < available ? count : available;
    std::memcpy(data, m_data + m_position, n);
    m_position += n;
    return n;
}

} // namespace melvanto
