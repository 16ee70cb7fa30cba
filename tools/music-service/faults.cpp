#include "faults.h"

#include <array>
#include <string>
#include <thread>

namespace melvanto::music_service {

namespace {

// One reply in two fails.
constexpr unsigned kFaultShareDivisor = 2;
constexpr int kStormCookies = 1000;
constexpr auto kStallSlice = std::chrono::milliseconds(50);

constexpr std::array kJsonFaults = {Fault::ServerError,  Fault::EmptyBody, Fault::TruncatedJson,
                                    Fault::ArrayBody,    Fault::WrongKind, Fault::Stall,
                                    Fault::ClosedPartWay};
constexpr std::array kCoverFaults = {
    Fault::ServerError,   Fault::Stall,         Fault::ClosedPartWay,
    Fault::PngCover,      Fault::TruncatedJpeg, Fault::EmptyCover,
    Fault::CoverRedirect, Fault::BadChunkSize,  Fault::CookieStorm};

// A complete 1x1 white PNG file.
constexpr unsigned char kPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
    0x00, 0x90, 0x77, 0x53, 0xde, 0x00, 0x00, 0x00, 0x0c, 0x49, 0x44, 0x41, 0x54, 0x08,
    0xd7, 0x63, 0xf8, 0xff, 0xff, 0x3f, 0x00, 0x05, 0xfe, 0x02, 0xfe, 0xa7, 0x35, 0x81,
    0x84, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

bool isJsonEndpoint(const std::string& path) {
    return path == "/info/suggestion" || path == "/v1/restserver/ting" ||
           path == "/data/music/fmlink";
}

bool isCover(const std::string& path) {
    return path.rfind("/data2/pic/", 0) == 0;
}

// A well-formed reply whose list (the member the client walks) is of the wrong kind.
std::string wrongKindBody(const std::string& path) {
    if (path == "/info/suggestion") return R"({"data":{"song":17},"error_code":22000})";
    if (path == "/v1/restserver/ting") return R"({"song_list":{"rank":"1"},"error_code":22000})";
    return R"({"errorCode":22000,"data":{"songList":"none"}})";
}

// A body with its own length line (the server library does not write it anew).
void setBody(httplib::Response& response, const std::string& body, const std::string& type) {
    response.set_content(body, type.c_str());
    response.headers.erase("Content-Length");
    response.set_header("Content-Length", std::to_string(body.size()));
}

std::string serverErrorPage() {
    return "<html><head><title>500 Internal Server Error</title></head><body>"
           "<h1>500 Internal Server Error</h1></body></html>";
}

} // namespace

std::string_view FaultName(Fault fault) {
    switch (fault) {
    case Fault::ServerError:
        return "server-error";
    case Fault::EmptyBody:
        return "empty-body";
    case Fault::TruncatedJson:
        return "truncated-json";
    case Fault::ArrayBody:
        return "array-body";
    case Fault::WrongKind:
        return "wrong-kind";
    case Fault::Stall:
        return "stall";
    case Fault::ClosedPartWay:
        return "closed-part-way";
    case Fault::PngCover:
        return "png-cover";
    case Fault::TruncatedJpeg:
        return "truncated-jpeg";
    case Fault::EmptyCover:
        return "empty-cover";
    case Fault::CoverRedirect:
        return "cover-redirect";
    case Fault::BadChunkSize:
        return "bad-chunk-size";
    case Fault::CookieStorm:
        break;
    }
    return "cookie-storm";
}

FaultPlan::FaultPlan(std::uint64_t seed, std::chrono::milliseconds stall)
    : m_random(seed), m_stall(stall) {}

std::optional<Fault> FaultPlan::next(bool cover) {
    // Two draws per reply whatever the outcome, so the sequence depends only on the seed
    // and the order of the replies.
    const std::lock_guard<std::mutex> guard(m_lock);
    const std::uint64_t share = m_random();
    const std::uint64_t kind = m_random();
    if (share % kFaultShareDivisor != 0) return std::nullopt;
    return cover ? kCoverFaults[kind % kCoverFaults.size()]
                 : kJsonFaults[kind % kJsonFaults.size()];
}

void FaultPlan::Apply(const httplib::Request& request, httplib::Response& response) {
    if (response.status != 200) return;
    const bool cover = isCover(request.path);
    if (!cover && !isJsonEndpoint(request.path)) return;
    const auto fault = next(cover);
    if (!fault) return;

    const std::string body = response.body;
    const std::string type = response.get_header_value("Content-Type");
    // The length line of the original reply goes; the server writes the new one.
    response.headers.erase("Content-Length");
    response.set_header("X-Fault", std::string(FaultName(*fault)));
    switch (*fault) {
    case Fault::ServerError:
        response.status = 500;
        setBody(response, serverErrorPage(), "text/html");
        return;
    case Fault::EmptyBody:
    case Fault::EmptyCover:
        setBody(response, "", type);
        return;
    case Fault::TruncatedJson:
    case Fault::TruncatedJpeg:
        setBody(response, body.substr(0, body.size() / 2), type);
        return;
    case Fault::ArrayBody:
        setBody(response, "[" + body + "]", type);
        return;
    case Fault::WrongKind:
        setBody(response, wrongKindBody(request.path), type);
        return;
    case Fault::Stall: {
        // Bounded: the connection is given up once the stall time is over, or earlier
        // when the client has gone, so stalled replies never pile up threads.
        const auto stall = m_stall;
        response.body.clear();
        response.set_header("Content-Length", std::to_string(body.size()));
        response.set_content_provider(
            body.size(), type, [stall](size_t, size_t, httplib::DataSink& sink) {
                const auto end = std::chrono::steady_clock::now() + stall;
                while (std::chrono::steady_clock::now() < end && sink.is_writable())
                    std::this_thread::sleep_for(kStallSlice);
                return false;
            });
        return;
    }
    case Fault::ClosedPartWay:
        response.body.clear();
        response.set_header("Content-Length", std::to_string(body.size()));
        response.set_content_provider(body.size(), type,
                                      [body](size_t offset, size_t, httplib::DataSink& sink) {
                                          if (offset == 0) sink.write(body.data(), body.size() / 2);
                                          return false;
                                      });
        return;
    case Fault::PngCover:
        setBody(response, std::string(reinterpret_cast<const char*>(kPng), sizeof kPng),
                "image/png");
        return;
    case Fault::CoverRedirect:
        response.status = 302;
        response.set_header("Location",
                            "http://" + request.get_header_value("Host") + request.path);
        setBody(response, "", "text/html");
        return;
    case Fault::BadChunkSize:
        // The framing is written by hand: one good chunk, then a size that is not hex.
        response.body.clear();
        response.set_header("Transfer-Encoding", "chunked");
        response.set_content_provider(type, [body](size_t offset, httplib::DataSink& sink) {
            if (offset != 0) return false;
            const std::string head = body.substr(0, 16);
            const std::string framed = "10\r\n" + head + "\r\nzz\r\n" + body.substr(16) + "\r\n";
            sink.write(framed.data(), framed.size());
            sink.done();
            return true;
        });
        return;
    case Fault::CookieStorm:
        response.set_header("Content-Length", std::to_string(body.size()));
        for (int i = 0; i < kStormCookies; ++i)
            response.headers.emplace("Set-Cookie", "storm" + std::to_string(i) + "=" +
                                                       std::to_string(i * 7919) + "; Path=/");
        return;
    }
}

} // namespace melvanto::music_service
