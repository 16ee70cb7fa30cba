#pragma once
// Reading the body of a reply whose head has been read, framed as the head says.

#include "base/memory_stream.h"
#include "net/http/http_response.h"
#include "net/tcp/tcp_connection.h"

#include <cstdint>

namespace melvanto {

// Writes the body into the stream from its position, the stream ending where the body
// ends. Replies of status 1xx, 204 and 304 have no body, whatever their head says; else:
//  - a Content-Length above 0: that many bytes; a close by the server before all have
//    come fails with "Connection Closed Gracefully." (the stream keeps what came);
//  - else, when "Transfer-Encoding" contains "chunked" (in lower case): the chunks, up to
//    the zero chunk and the line after it; a size line that is not hexadecimal, or chunk
//    data not followed by a line end, fails with "Chunked reply body cannot be read.";
//  - else, without a Content-Length: everything until the server closes;
//  - a Content-Length of 0: nothing.
// A body beyond maxBodySize bytes fails with "Reply body too large (over 64 MiB)." (the
// limit in MiB), a declared length or chunk size beyond it before any of its bytes are
// read.
void ReadReplyBody(TNetTCPConnection& connection, const TNetHTTPResponse& response, TStream& stream,
                   int64_t maxBodySize);

} // namespace melvanto
