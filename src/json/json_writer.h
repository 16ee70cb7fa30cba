#pragma once
// TJsonWriter: the sink that the compact text of a value is written into.

#include <cstdint>
#include <string_view>

namespace melvanto {

class TJsonWriter {
public:
    virtual ~TJsonWriter() = default;

    // Appends `count` code units; nothing for a count of 0 or less. Returns the count.
    virtual int32_t Emit(const char16_t* units, int32_t count) = 0;
    // Appends the code units of `text` up to its first U+0000.
    void EmitText(std::u16string_view text);
    // Appends all code units of `text`, in pieces that a count can hold.
    void EmitAll(std::u16string_view text);
};

} // namespace melvanto
