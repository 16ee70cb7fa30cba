#include "base/str_to_int.h"

#include "base/errors.h"

namespace melvanto {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;

    // Accumulate the magnitude in 64 bits; the limit admits -2147483648 but not +2147483648.
    const int64_t limit = negative ? int64_t{2147483648} : int64_t{2147483647};
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        int digit = base == 16 ? hexDigit(text[i])
                               : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::string NotAnIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

int32_t StrToInt(std::string_view text) {
    if (auto value = TryStrToInt(text)) return *value;
    throw EConvertError(NotAnIntegerMessage(text));
}

} // namespace melvanto
