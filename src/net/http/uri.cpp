#include "net/http/uri.h"

#include "net/http/ansi_lead_bytes.h"

namespace melvanto {

namespace {

constexpr auto npos = std::string_view::npos;

// Every backslash becomes a slash, except the second byte of a double-byte character.
std::string backslashesToSlashes(std::string_view text) {
    std::string out(text);
    if (out.find('\\') == npos) return out;
    bool anyHighByte = false;
    for (char c : out)
        if (static_cast<unsigned char>(c) >= 0x80) anyHighByte = true;
    for (size_t i = 0; i < out.size(); ++i) {
        if (anyHighByte && IsAnsiLeadByte(static_cast<unsigned char>(out[i]))) {
            ++i;
            continue;
        }
        if (out[i] == '\\') out[i] = '/';
    }
    return out;
}

} // namespace

void TNetURI::SplitUrl(std::string_view url) {
    *this = TNetURI();
    m_uri = url;
    const std::string text = backslashesToSlashes(url);
    std::string_view remainder = text;
    const size_t protocolEnd = remainder.find("://");
    const bool hasProtocol = protocolEnd != npos;
    if (hasProtocol) {
        m_protocol = remainder.substr(0, protocolEnd);
        std::string_view rest = remainder.substr(protocolEnd + 3);
        // The authority also ends where the parameters or the fragment begin, so that
        // "http://host?a=1" reaches host "host" rather than a host named "host?a=1".
        const size_t authorityEnd = rest.find_first_of("/?#");
        std::string_view authority = rest.substr(0, authorityEnd);
        if (authorityEnd == npos)
            remainder = {};
        else if (rest[authorityEnd] == '/')
            remainder = rest.substr(authorityEnd + 1);
        else
            remainder = rest.substr(authorityEnd);

        std::string_view hostPart = authority;
        if (size_t at = authority.find('@'); at != npos) {
            std::string_view userInfo = authority.substr(0, at);
            hostPart = authority.substr(at + 1);
            size_t colon = userInfo.find(':');
            m_username = userInfo.substr(0, colon);
            if (colon != npos && !m_username.empty()) m_password = userInfo.substr(colon + 1);
        }
        size_t colon = hostPart.find(':');
        m_host = hostPart.substr(0, colon);
        if (colon != npos) m_port = hostPart.substr(colon + 1);
    }

    // Everything after the first "#" is the fragment, wherever it stands; none of it is
    // path, document or params.
    if (size_t hash = remainder.find('#'); hash != npos) {
        m_fragment = remainder.substr(hash + 1);
        remainder = remainder.substr(0, hash);
    }

    size_t paramsStart = remainder.find('?');
    if (paramsStart == npos) paramsStart = remainder.find('=');
    std::string_view beforeParams = remainder.substr(0, paramsStart);
    const size_t directoryEnd = beforeParams.rfind('/');
    const size_t documentStart = directoryEnd == npos ? 0 : directoryEnd + 1;
    if (hasProtocol) m_path = "/";
    m_path.append(beforeParams.substr(0, documentStart));
    m_document = beforeParams.substr(documentStart);
    if (paramsStart != npos) m_params = remainder.substr(paramsStart);
}

std::string TNetURI::MergePath(std::string_view previous, std::string_view path) {
    if (!path.empty() && path.front() == '/') return std::string(path);

    std::string joined(previous);
    if (joined.empty() || joined.back() != '/') joined.push_back('/');
    joined.append(path);

    std::string result;
    for (size_t i = 0; i < joined.size(); ++i) {
        const char c = joined[i];
        if (c == '/') {
            if (i == 0)
                result = "/";
            else if (result.empty() || result.back() != '/')
                result.push_back('/');
        } else if (c == '.' && i > 0 && joined[i - 1] == '/' && i + 1 < joined.size() &&
                   joined[i + 1] == '.') {
            // Drop the last segment taken, with its "/", keeping the "/" before it; at
            // the root there is nothing to drop.
            if (result != "/") {
                if (!result.empty() && result.back() == '/') result.pop_back();
                size_t cut = result.rfind('/');
                result.erase(cut == std::string::npos ? 0 : cut + 1);
            }
            ++i;
        } else {
            result.push_back(c);
        }
    }
    const bool keepTrailingSlash = path.empty() || path.back() == '/' || result == "/";
    if (!keepTrailingSlash && !result.empty() && result.back() == '/') result.pop_back();
    return result;
}

} // namespace melvanto
