#pragma once
// The request record: the URL asked for, the target computed from it, and the head.

#include "net/http/request_header_info.h"

#include <string>

namespace melvanto {

class TNetHTTPRequest : public TNetRequestHeaderInfo {
public:
    // The URL as the caller gave it.
    const std::string& URL() const { return m_url; }
    void SetURL(std::string url) { m_url = std::move(url); }
    // Path, document and parameters of the current address: what the request line asks
    // for, byte for byte.
    const std::string& Target() const { return m_target; }
    void SetTarget(std::string target) { m_target = std::move(target); }

private:
    std::string m_url;
    std::string m_target;
};

} // namespace melvanto
