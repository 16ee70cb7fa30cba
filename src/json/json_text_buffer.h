#pragma once
// TJsonTextBuffer: a growable buffer of UTF-16 code units, the one writer sink, also the
// parser's token accumulator. It always holds a U+0000 after the last code unit.

#include "json/json_writer.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace melvanto {

class TJsonTextBuffer final : public TJsonWriter {
public:
    static constexpr int32_t kInitialCapacity = 32;

    TJsonTextBuffer() noexcept { m_inline[0] = u'\0'; }
    TJsonTextBuffer(const TJsonTextBuffer&) = delete;
    TJsonTextBuffer& operator=(const TJsonTextBuffer&) = delete;

    int32_t Emit(const char16_t* units, int32_t count) override;
    // One code unit, with the same growth rule as an Emit of one.
    void Append(char16_t unit) {
        if (1 >= m_capacity - m_length) grow(1);
        m_data[m_length++] = unit;
        m_data[m_length] = u'\0';
    }

    void Clear() noexcept {
        m_length = 0;
        m_data[0] = u'\0';
    }
    // Drops the last code unit, if any.
    void DropLast() noexcept;
    // While the last code unit is a space, CR or LF, drops it.
    void TrimTrailing() noexcept;

    int32_t Length() const noexcept { return m_length; }
    int32_t Capacity() const noexcept { return m_capacity; }
    // All code units.
    std::u16string_view Content() const noexcept { return {m_data, static_cast<size_t>(m_length)}; }
    // The code units up to the first U+0000.
    std::u16string_view ContentToNul() const noexcept;

private:
    void grow(int32_t count);

    // The first 32 code units live inside the buffer: most tokens and names fit there.
    char16_t m_inline[kInitialCapacity];
    std::unique_ptr<char16_t[]> m_heap;
    char16_t* m_data = m_inline;
    int32_t m_length = 0;
    int32_t m_capacity = kInitialCapacity;
};

} // namespace melvanto
