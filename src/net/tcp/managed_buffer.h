#pragma once
// The connection's input buffer: bytes received and not yet taken, oldest first.

#include <cstddef>
#include <string>
#include <string_view>

namespace melvanto {

class TNetManagedBuffer {
public:
    size_t Size() const { return m_bytes.size() - m_start; }
    bool Empty() const { return Size() == 0; }
    std::string_view View() const { return std::string_view(m_bytes).substr(m_start); }

    void Append(const char* data, size_t count) { m_bytes.append(data, count); }
    // Position (from the oldest byte) of the first `byte` at or after `from`, or npos.
    size_t Find(char byte, size_t from) const;
    // Removes the oldest count bytes (all when fewer are held) and gives them.
    std::string Take(size_t count);
    void Clear();

private:
    std::string m_bytes;
    size_t m_start = 0; // bytes before this were taken already
};

} // namespace melvanto
