#include "net/http/basic_authentication.h"

#include <cstdint>

namespace melvanto {

std::string EncodeBase64(std::string_view bytes) {
    static constexpr char digits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t group = uint32_t(uint8_t(bytes[i])) << 16 |
                               uint32_t(uint8_t(bytes[i + 1])) << 8 | uint8_t(bytes[i + 2]);
        out.push_back(digits[group >> 18]);
        out.push_back(digits[(group >> 12) & 63]);
        out.push_back(digits[(group >> 6) & 63]);
        out.push_back(digits[group & 63]);
    }
    const size_t left = bytes.size() - i;
    if (left > 0) {
        uint32_t group = uint32_t(uint8_t(bytes[i])) << 16;
        if (left == 2) group |= uint32_t(uint8_t(bytes[i + 1])) << 8;
        out.push_back(digits[group >> 18]);
        out.push_back(digits[(group >> 12) & 63]);
        out.push_back(left == 2 ? digits[(group >> 6) & 63] : '=');
        out.push_back('=');
    }
    return out;
}

std::string TNetBasicAuthentication::Authentication() const {
    return "Basic " + EncodeBase64(m_username + ":" + m_password);
}

} // namespace melvanto
