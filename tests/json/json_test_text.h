#pragma once
// Readable UTF-16 in test messages: printable ASCII as it is, every other code unit as
// \uXXXX. Where a text may hold a backslash and a u itself, compare the UTF-16 instead.

#include <cstdio>
#include <string>
#include <string_view>

namespace melvanto::test {

inline std::string Show(std::u16string_view text) {
    std::string shown;
    for (char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            shown += static_cast<char>(unit);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
            shown += escape;
        }
    }
    return shown;
}

// ASCII test text as UTF-16.
inline std::u16string Wide(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

} // namespace melvanto::test
