#include "platform/httprequest/http_request.h"

#include "base/errors.h"
#include "platform/codepage/codepage.h"

#include <curl/curl.h>
#include <mutex>

namespace melvanto {

namespace {

constexpr int32_t kOutOfMemory = static_cast<int32_t>(0x8007000Eu);
constexpr long kMaxRedirects = 20;

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Messages end without the trailing spaces, line breaks and full stops; the failure box
// adds its own full stop.
std::string trimMessage(std::string message) {
    while (!message.empty()) {
        char last = message.back();
        if (last != ' ' && last != '\r' && last != '\n' && last != '.') break;
        message.pop_back();
    }
    return message;
}

// A browser sends spaces, control characters and non-ASCII bytes percent-encoded; libcurl
// refuses a URL holding a space, so do the same here.
std::string escapeForWire(const std::string& url) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(url.size());
    for (unsigned char c : url) {
        if (c <= 0x20 || c >= 0x7F) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

struct BodySink {
    std::string* body;
    std::size_t limit;
    bool overflowed = false;
};

size_t writeBody(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<BodySink*>(user);
    const size_t bytes = size * count;
    if (sink->body->size() + bytes > sink->limit) {
        sink->overflowed = true;
        return 0;
    }
    sink->body->append(data, bytes);
    return bytes;
}

} // namespace

struct THttpRequest::Handle {
    CURL* curl = nullptr;
    ~Handle() {
        if (curl) curl_easy_cleanup(curl);
    }
};

THttpRequest::THttpRequest() : m_handle(std::make_unique<Handle>()) {
    initialiseCurlOnce();
    m_handle->curl = curl_easy_init();
    if (!m_handle->curl)
        throw EOleSysError("Not enough memory resources are available to complete this operation",
                           kOutOfMemory);
}

THttpRequest::~THttpRequest() = default;

void THttpRequest::open(std::u16string_view url) {
    m_url = escapeForWire(WideToUtf8(url));
    m_body.clear();
    m_status = 0;
}

void THttpRequest::send() {
    CURL* curl = m_handle->curl;
    const RequestLimits limits = CurrentRequestLimits();
    char errorBuffer[CURL_ERROR_SIZE] = {};
    std::string body;
    BodySink sink{&body, limits.maxBodyBytes};

    curl_easy_reset(curl);
    curl_easy_setopt(curl, CURLOPT_URL, m_url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    // Nothing is configured: no proxy from the environment.
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.stall.count()));
    // The request object is never used again, so its connection is not kept open.
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Melvanto");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);

    const CURLcode result = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    if (result != CURLE_OK) {
        std::string message;
        if (sink.overflowed)
            message = "The reply is larger than " + std::to_string(limits.maxBodyBytes) + " bytes";
        else if (errorBuffer[0] != '\0')
            message = errorBuffer;
        else
            message = curl_easy_strerror(result);
        throw EOleException(trimMessage(std::move(message)), RequestResultCode(result));
    }
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    m_status = static_cast<int>(status);
    m_body = std::move(body);
}

std::u16string THttpRequest::responseText() const {
    std::string_view body = m_body;
    if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
    return Utf8ToWide(body);
}

} // namespace melvanto
