#pragma once
// The character classes the parser's states test.

namespace melvanto::json_chars {

// U+0008, U+0009, U+000A, U+000C, U+000D, U+0020.
constexpr bool IsWhitespace(char16_t c) noexcept {
    return c == u' ' || c == u'\n' || c == u'\r' || c == u'\t' || c == u'\b' || c == u'\f';
}

// Whitespace, U+0000 and " ( ) , . : [ ] { }. The single quote is not reserved.
constexpr bool IsReserved(char16_t c) noexcept {
    switch (c) {
    case u'\0':
    case u'"':
    case u'(':
    case u')':
    case u',':
    case u'.':
    case u':':
    case u'[':
    case u']':
    case u'{':
    case u'}':
        return true;
    default:
        return IsWhitespace(c);
    }
}

// A character that keeps a word going: . A-Z _ a-z (digits do not).
constexpr bool IsWordContinuing(char16_t c) noexcept {
    return c == u'.' || c == u'_' || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The value of a hexadecimal digit, or -1.
constexpr int HexDigitValue(char16_t c) noexcept {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

constexpr bool IsDigit(char16_t c) noexcept {
    return c >= u'0' && c <= u'9';
}

// + - . 0-9 E e
constexpr bool IsNumberCharacter(char16_t c) noexcept {
    return IsDigit(c) || c == u'+' || c == u'-' || c == u'.' || c == u'E' || c == u'e';
}

} // namespace melvanto::json_chars
