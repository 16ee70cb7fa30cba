#include "net/tcp/managed_buffer.h"

namespace melvanto {

size_t TNetManagedBuffer::Find(char byte, size_t from) const {
    return View().find(byte, from);
}

std::string TNetManagedBuffer::Take(size_t count) {
    if (count > Size()) count = Size();
    std::string taken = m_bytes.substr(m_start, count);
    m_start += count;
    // Move the rest to the front only once the taken part outweighs it, so taking a
    // large buffer piece by piece stays linear.
    if (m_start == m_bytes.size()) {
        Clear();
    } else if (m_start > m_bytes.size() / 2) {
        m_bytes.erase(0, m_start);
        m_start = 0;
    }
    return taken;
}

void TNetManagedBuffer::Clear() {
    m_bytes.clear();
    m_start = 0;
}

} // namespace melvanto
