#pragma once
// The response record: the status line as received and the head read from the wire.

#include "net/http/response_header_info.h"

#include <string>

namespace melvanto {

class TNetHTTPResponse : public TNetResponseHeaderInfo {
public:
    // Without its line end; empty when the server closed inside it.
    const std::string& ResponseText() const { return m_responseText; }
    void SetResponseText(std::string line) { m_responseText = std::move(line); }

    // The whole number after the first space of the status line, up to the next space;
    // -1 when there is none.
    int ResponseCode() const;

private:
    std::string m_responseText;
};

} // namespace melvanto
