#pragma once
// What request and reply heads share: the raw header lines and the entity fields read
// from them or written into them. The records of one exchange derive from it.

#include "net/http/header_list.h"

#include <cstdint>
#include <string>

namespace melvanto {

class TNetEntityHeaderInfo {
public:
    virtual ~TNetEntityHeaderInfo() = default;

    // Fills the fields from the raw header lines.
    virtual void ReadHeaderFields();
    // Clears the raw header lines and writes them again from the fields, each only when
    // it has a value.
    virtual void WriteHeaderLines();
    // Sets every field to its default.
    virtual void ResetHeaderFields();

    TNetHeaderList& RawHeaders() { return m_rawHeaders; }
    const TNetHeaderList& RawHeaders() const { return m_rawHeaders; }

    const std::string& Connection() const { return m_connection; }
    const std::string& ContentType() const { return m_contentType; }
    void SetContentType(std::string value) { m_contentType = std::move(value); }
    // -1 when there is none, or when the text is not a whole number of the signed 32-bit
    // range.
    int64_t ContentLength() const { return m_contentLength; }
    void SetContentLength(int64_t length) { m_contentLength = length; }
    bool HasContentLength() const { return m_contentLength >= 0; }

protected:
    TNetEntityHeaderInfo();

private:
    TNetHeaderList m_rawHeaders;
    std::string m_connection;
    std::string m_contentType;
    int64_t m_contentLength = -1;
};

} // namespace melvanto
