#include "json/json_number_text.h"

#include <charconv>

namespace melvanto {

namespace {

// Writes the decimal digits of `magnitude` ending just before `end`; returns the start.
char16_t* digitsBackward(uint64_t magnitude, char16_t* end) noexcept {
    do {
        *--end = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    return end;
}

uint64_t magnitudeOf(int64_t value) noexcept {
    // Through unsigned arithmetic, so that the most negative value has a magnitude too.
    return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

JsonNumberText fromRange(const char16_t* begin, const char16_t* end) noexcept {
    JsonNumberText text;
    for (const char16_t* p = begin; p != end; ++p)
        text.units[text.length++] = *p;
    return text;
}

} // namespace

JsonNumberText IntegerText(int64_t value) noexcept {
    char16_t scratch[24];
    char16_t* end = scratch + 24;
    char16_t* begin = digitsBackward(magnitudeOf(value), end);
    if (value < 0) *--begin = u'-';
    return fromRange(begin, end);
}

JsonNumberText CurrencyText(int64_t tenThousandths) noexcept {
    if (tenThousandths == 0) return fromRange(u"0", u"0" + 1);
    char16_t digits[24];
    char16_t* digitsEnd = digits + 24;
    char16_t* digitsBegin = digitsBackward(magnitudeOf(tenThousandths), digitsEnd);
    while (digitsEnd - digitsBegin < 5)
        *--digitsBegin = u'0';
    // The last four digits are the decimals, without their trailing zeros.
    char16_t* point = digitsEnd - 4;
    char16_t* decimalsEnd = digitsEnd;
    while (decimalsEnd > point && decimalsEnd[-1] == u'0')
        --decimalsEnd;

    JsonNumberText text;
    if (tenThousandths < 0) text.units[text.length++] = u'-';
    for (char16_t* p = digitsBegin; p != point; ++p)
        text.units[text.length++] = *p;
    text.units[text.length++] = u'.';
    for (char16_t* p = point; p != decimalsEnd; ++p)
        text.units[text.length++] = *p;
    return text;
}

JsonNumberText DoubleText(double value) noexcept {
    char narrow[32];
    auto result =
        std::to_chars(narrow, narrow + sizeof narrow, value, std::chars_format::general, 15);
    JsonNumberText text;
    for (const char* p = narrow; p != result.ptr; ++p)
        text.units[text.length++] = static_cast<char16_t>(*p);
    return text;
}

} // namespace melvanto
