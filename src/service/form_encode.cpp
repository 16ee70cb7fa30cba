#include "service/form_encode.h"

#include "platform/codepage/codepage.h"

namespace melvanto {

namespace {

bool keptAsIs(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
    case '!':
    case '$':
    case '\'':
    case '(':
    case ')':
    case '*':
    case '-':
    case '.':
    case '@':
    case '_':
        return true;
    default:
        return false;
    }
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Each UTF-16 unit on its own, except that a surrogate pair (a character beyond the basic
// plane, which a UTF-8 locale can type) is one four-byte sequence: split halves would be
// bytes that no server decodes. A lone surrogate keeps its three bytes.
std::string utf16ToUtf8(std::u16string_view wide) {
    std::string out;
    out.reserve(wide.size() * 3);
    for (size_t i = 0; i < wide.size(); ++i) {
        const char16_t unit = wide[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] < 0xE000) {
            const char32_t c = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            appendUtf8(out, c);
            ++i;
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace

std::string HttpFormEncode(std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (unsigned char c : bytes) {
        if (c == 0) break;
        if (keptAsIs(c)) {
            out += static_cast<char>(c);
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::string EncodeKeyword(std::string_view ansiKeyword) {
    return HttpFormEncode(utf16ToUtf8(AnsiToWide(ansiKeyword)));
}

} // namespace melvanto
