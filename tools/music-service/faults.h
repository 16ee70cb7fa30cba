#pragma once
// Fault injection (music-service --faults): a seeded share of the JSON replies and cover
// replies fail in one of the ways a client must survive. The same seed gives the same
// faults for the same sequence of requests. Every faulty reply names its fault in an
// "X-Fault" header line, so that a test can tell what it was sent.

#include <httplib.h>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <string_view>

namespace melvanto::music_service {

enum class Fault {
    ServerError,   // status 500 with an HTML page
    EmptyBody,     // status 200, no body
    TruncatedJson, // the JSON text cut in half
    ArrayBody,     // a JSON array where an object belongs
    WrongKind,     // the list the client reads is of another kind
    Stall,         // the head, then nothing until the stall time is over, then a close
    ClosedPartWay, // the head and half the declared body, then a close
    PngCover,      // a PNG picture where a JPEG belongs
    TruncatedJpeg, // the first half of the JPEG file, with a matching length
    EmptyCover,    // a 0-byte cover
    CoverRedirect, // 302 to the same cover
    BadChunkSize,  // chunked framing with a chunk size that is not a number
    CookieStorm,   // the cover with 1,000 Set-Cookie lines
};

std::string_view FaultName(Fault fault);

class FaultPlan {
public:
    FaultPlan(std::uint64_t seed, std::chrono::milliseconds stall);

    // Replaces a successful reply of a JSON endpoint or a cover by a faulty one, for a
    // seeded share of them; other replies pass unchanged.
    void Apply(const httplib::Request& request, httplib::Response& response);

private:
    std::optional<Fault> next(bool cover);

    std::mutex m_lock;
    std::mt19937_64 m_random;
    std::chrono::milliseconds m_stall;
};

} // namespace melvanto::music_service
