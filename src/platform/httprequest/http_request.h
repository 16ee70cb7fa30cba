#pragma once
// One synchronous HTTP GET: the request object behind every service request. A fresh one
// is made for each request; it follows redirects and gives the whole body as text,
// whatever the HTTP status. It sends no request header of the caller's, reads no proxy
// or other setting from the environment, and takes its limits from CurrentRequestLimits().
//
// Failures are EOleException with the request's own description of what went wrong
// (trailing spaces, line breaks and full stops removed) and the result code
// 0x80040000 | the libcurl error number (see RequestResultCode).

#include "platform/httprequest/request_limits.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace melvanto {

// The result code carried by a failed request: a failure code of the interface facility
// with the libcurl error number in its low word.
constexpr int32_t RequestResultCode(int curlCode) {
    return static_cast<int32_t>(0x80040000u | static_cast<uint32_t>(curlCode & 0xFFFF));
}

class THttpRequest {
public:
    // Fails with EOleSysError when no request can be made.
    THttpRequest();
    ~THttpRequest();
    THttpRequest(const THttpRequest&) = delete;
    THttpRequest& operator=(const THttpRequest&) = delete;

    // Prepares a GET of the URL. Characters a URL cannot carry as they are (spaces,
    // control characters, anything outside ASCII) are sent percent-encoded as UTF-8;
    // everything else, "%" included, goes out as given.
    void open(std::u16string_view url);
    // Runs the request and returns when the whole reply has arrived; fails with
    // EOleException when there is no reply.
    void send();
    // The reply body decoded as UTF-8 (a leading byte-order mark dropped, invalid bytes
    // replaced by U+FFFD); empty before a successful send.
    std::u16string responseText() const;
    // The HTTP status of the last response (after redirects), 0 before one arrived.
    int status() const { return m_status; }

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    std::string m_url;
    std::string m_body;
    int m_status = 0;
};

} // namespace melvanto
