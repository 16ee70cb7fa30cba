#include "net/http/entity_header_info.h"

#include "base/str_to_int.h"

namespace melvanto {

// Lines are folded only past this length; request lines are never folded (see
// TNetRequestHeaderInfo).
TNetEntityHeaderInfo::TNetEntityHeaderInfo() {
    m_rawHeaders.SetFoldLength(1024);
}

void TNetEntityHeaderInfo::ReadHeaderFields() {
    m_connection = m_rawHeaders.Value("Connection");
    m_contentType = m_rawHeaders.Value("Content-Type");
    // Value() gives the text trimmed already.
    const auto length = TryStrToInt(m_rawHeaders.Value("Content-Length"));
    m_contentLength = length && *length >= 0 ? *length : -1;
}

void TNetEntityHeaderInfo::WriteHeaderLines() {
    m_rawHeaders.Clear();
    m_rawHeaders.SetValue("Connection", m_connection);
    m_rawHeaders.SetValue("Content-Type", m_contentType);
    if (m_contentLength >= 0)
        m_rawHeaders.SetValue("Content-Length", std::to_string(m_contentLength));
}

void TNetEntityHeaderInfo::ResetHeaderFields() {
    m_connection.clear();
    m_contentType.clear();
    m_contentLength = -1;
}

} // namespace melvanto
