#include "net/http/reply_body.h"

#include "base/errors.h"
#include "net/http/body_limit_stream.h"
#include "net/http/header_fold.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace melvanto {

namespace {

[[noreturn]] void failChunked() {
    throw ENetException("Chunked reply body cannot be read.");
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The size on a chunk size line: hexadecimal digits, then perhaps blanks and a chunk
// extension after ";", which carries nothing for us. A size too large for 64 bits comes
// back as the largest 64-bit number, which no body limit admits.
std::optional<int64_t> chunkSize(std::string_view line) {
    std::string_view digits = TrimHeaderBlanks(line.substr(0, line.find(';')));
    if (digits.empty()) return std::nullopt;
    int64_t size = 0;
    for (char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0) return std::nullopt;
        size = size > (INT64_MAX >> 4) ? INT64_MAX : size * 16 + digit;
    }
    return size;
}

void readChunks(TNetTCPConnection& connection, TNetBodyLimitStream& body) {
    for (;;) {
        const std::optional<int64_t> size = chunkSize(connection.ReceiveLine());
        if (!size) failChunked();
        if (*size == 0) break;
        body.CheckRoom(*size);
        connection.ReceiveIntoStream(body, *size);
        if (!connection.ReceiveLine().empty()) failChunked();
    }
    // The line after the zero chunk: the end of the body, or its first trailer line. Any
    // further trailer lines stay unread; the connection is not used again with bytes
    // waiting in it.
    connection.ReceiveLine();
}

} // namespace

void ReadReplyBody(TNetTCPConnection& connection, const TNetHTTPResponse& response, TStream& stream,
                   int64_t maxBodySize) {
    const int code = response.ResponseCode();
    if (code / 100 == 1 || code == 204 || code == 304) return;
    TNetBodyLimitStream body(stream, maxBodySize);
    if (response.ContentLength() > 0) {
        body.CheckRoom(response.ContentLength());
        connection.ReceiveIntoStream(body, response.ContentLength());
    } else if (response.TransferEncoding().find("chunked") != std::string::npos) {
        readChunks(connection, body);
    } else if (!response.HasContentLength()) {
        connection.ReceiveIntoStream(body, UntilPeerClose);
    }
}

} // namespace melvanto
