#include "json_text.h"

namespace melvanto::music_service {

std::string JsonString(std::string_view utf8) {
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0x0F];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
    return out;
}

void JsonObject::name(std::string_view name) {
    if (m_text.size() > 1) m_text += ',';
    m_text += JsonString(name);
    m_text += ':';
}

JsonObject& JsonObject::Text(std::string_view name, std::string_view value) {
    this->name(name);
    m_text += JsonString(value);
    return *this;
}

JsonObject& JsonObject::Number(std::string_view name, long long value) {
    this->name(name);
    m_text += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::Raw(std::string_view name, std::string_view json) {
    this->name(name);
    m_text += json;
    return *this;
}

JsonArray& JsonArray::Raw(std::string_view json) {
    if (m_text.size() > 1) m_text += ',';
    m_text += json;
    return *this;
}

} // namespace melvanto::music_service
