#include "net/cookies/byte_text.h"

namespace melvanto {

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view TrimLeftBlanks(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    return text.substr(start);
}

std::string_view TrimBlanks(std::string_view text) {
    text = TrimLeftBlanks(text);
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = upper(c);
    return result;
}

bool SameText(std::string_view a, std::string_view b) {
    return CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b) {
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(upper(a[i]));
        const auto cb = static_cast<unsigned char>(upper(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string_view Fetch(std::string_view& text, char delimiter) {
    const size_t at = text.find(delimiter);
    std::string_view taken = text.substr(0, at);
    text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    return taken;
}

} // namespace melvanto
