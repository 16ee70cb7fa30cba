#include "net/cookies/cookie_pieces.h"

#include "net/cookies/byte_text.h"

namespace melvanto {

namespace {

std::vector<std::string_view> splitPieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    if (text.find(';') == std::string_view::npos) {
        if (!text.empty()) pieces.push_back(text);
        return pieces;
    }
    while (true) {
        const size_t at = text.find(';');
        if (at == std::string_view::npos) break;
        pieces.push_back(TrimBlanks(text.substr(0, at)));
        text.remove_prefix(at + 1);
    }
    text = TrimBlanks(text);
    if (!text.empty()) pieces.push_back(text);
    return pieces;
}

} // namespace

TNetCookiePieces::TNetCookiePieces(std::string_view text) {
    const std::vector<std::string_view> pieces = splitPieces(text);
    if (pieces.empty()) return;

    std::string_view first = pieces.front();
    m_name = Fetch(first, '=');
    m_value = first;

    for (size_t i = 1; i < pieces.size(); ++i) {
        const size_t equals = pieces[i].find('=');
        if (equals == std::string_view::npos)
            m_attributes.push_back(UpperCase(pieces[i]));
        else
            m_attributes.push_back(UpperCase(pieces[i].substr(0, equals)) +
                                   std::string(pieces[i].substr(equals)));
    }
}

std::string TNetCookiePieces::AttributeValue(std::string_view name) const {
    for (const std::string& attribute : m_attributes) {
        const size_t equals = attribute.find('=');
        if (equals != std::string::npos && SameText(attribute.substr(0, equals), name))
            return attribute.substr(equals + 1);
    }
    return {};
}

bool TNetCookiePieces::HasFlag(std::string_view name) const {
    for (const std::string& attribute : m_attributes)
        if (SameText(attribute, name)) return true;
    return false;
}

} // namespace melvanto
