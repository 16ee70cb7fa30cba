// music-service --faults: every fault kind shows on the wire as what it claims to be, the
// sequence of faults follows the seed, and without --faults no reply is faulty.

#include "support/music_service_process.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <set>
#include <sys/socket.h>
#include <unistd.h>

using melvanto::testing::MusicServiceProcess;

namespace {

constexpr int kReplyLimitMs = 20000;
constexpr int kMostRequests = 600;

const std::set<std::string> kJsonFaults = {"server-error",   "empty-body", "truncated-json",
                                           "array-body",     "wrong-kind", "stall",
                                           "closed-part-way"};
const std::set<std::string> kCoverFaults = {"server-error",   "stall",          "closed-part-way",
                                            "png-cover",      "truncated-jpeg", "empty-cover",
                                            "cover-redirect", "bad-chunk-size", "cookie-storm"};

struct RawReply {
    int status = 0;
    std::multimap<std::string, std::string> headers; // names in lower case
    std::string body;                                // every byte after the head, as sent
    std::string header(const std::string& name) const {
        const auto found = headers.find(name);
        return found == headers.end() ? std::string() : found->second;
    }
    long contentLength() const {
        const std::string text = header("content-length");
        return text.empty() ? -1 : std::stol(text);
    }
};

// One GET on a fresh connection, read until the server closes it.
RawReply rawGet(int port, const std::string& target) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        throw std::runtime_error("connect failed");
    }
    const std::string request = "GET " + target +
                                " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                                "\r\nConnection: close\r\n\r\n";
    if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(request.size())) {
        ::close(fd);
        throw std::runtime_error("send failed");
    }
    std::string bytes;
    char buffer[65536];
    pollfd readable{fd, POLLIN, 0};
    for (;;) {
        if (::poll(&readable, 1, kReplyLimitMs) != 1) {
            ::close(fd);
            throw std::runtime_error("no reply to " + target);
        }
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);

    RawReply reply;
    const size_t headEnd = bytes.find("\r\n\r\n");
    if (headEnd == std::string::npos) throw std::runtime_error("no reply head for " + target);
    reply.body = bytes.substr(headEnd + 4);
    size_t lineStart = bytes.find("\r\n") + 2;
    reply.status = std::stoi(bytes.substr(bytes.find(' ') + 1, 3));
    while (lineStart < headEnd) {
        const size_t lineEnd = bytes.find("\r\n", lineStart);
        const std::string line = bytes.substr(lineStart, lineEnd - lineStart);
        const size_t colon = line.find(':');
        std::string name = line.substr(0, colon);
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        reply.headers.emplace(name, line.substr(line.find_first_not_of(' ', colon + 1)));
        lineStart = lineEnd + 2;
    }
    return reply;
}

// Whether every "{" and "[" outside strings is closed, in order.
bool balancedJson(const std::string& text) {
    std::string open;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            open += c;
        } else if (c == '}' || c == ']') {
            if (open.empty() || open.back() != (c == '}' ? '{' : '[')) return false;
            open.pop_back();
        }
    }
    return !inString && open.empty();
}

bool isWholeJpeg(const std::string& body) {
    return body.size() > 4 && body.compare(0, 2, "\xff\xd8") == 0 &&
           body.compare(body.size() - 2, 2, "\xff\xd9") == 0;
}

// Checks that a reply is what its "X-Fault" line says; gives the fault's name ("" for none).
std::string checkReply(const RawReply& reply, const std::string& target, bool cover) {
    const std::string fault = reply.header("x-fault");
    SCOPED_TRACE(target + " fault '" + fault + "'");
    EXPECT_TRUE(fault.empty() || (cover ? kCoverFaults : kJsonFaults).count(fault));
    const bool declaredWhole = reply.contentLength() == static_cast<long>(reply.body.size());
    if (fault.empty()) {
        EXPECT_EQ(reply.status, 200);
        EXPECT_TRUE(declaredWhole);
        if (cover) {
            EXPECT_TRUE(isWholeJpeg(reply.body));
        } else {
            EXPECT_EQ(reply.body.front(), '{');
            EXPECT_TRUE(balancedJson(reply.body));
        }
    } else if (fault == "server-error") {
        EXPECT_EQ(reply.status, 500);
        EXPECT_EQ(reply.header("content-type"), "text/html");
        EXPECT_EQ(reply.body.rfind("<html>", 0), 0u);
    } else if (fault == "empty-body" || fault == "empty-cover") {
        EXPECT_EQ(reply.status, 200);
        EXPECT_EQ(reply.contentLength(), 0);
        EXPECT_EQ(reply.body, "");
    } else if (fault == "truncated-json") {
        EXPECT_TRUE(declaredWhole);
        EXPECT_EQ(reply.body.front(), '{');
        EXPECT_FALSE(balancedJson(reply.body));
    } else if (fault == "array-body") {
        EXPECT_TRUE(declaredWhole);
        EXPECT_EQ(reply.body.rfind("[{", 0), 0u);
        EXPECT_TRUE(balancedJson(reply.body));
    } else if (fault == "wrong-kind") {
        EXPECT_TRUE(declaredWhole);
        EXPECT_EQ(reply.body.front(), '{');
        EXPECT_TRUE(balancedJson(reply.body));
        EXPECT_EQ(reply.body.find('['), std::string::npos) << reply.body;
    } else if (fault == "stall") {
        EXPECT_EQ(reply.status, 200);
        EXPECT_GT(reply.contentLength(), 0);
        EXPECT_EQ(reply.body, "");
    } else if (fault == "closed-part-way") {
        EXPECT_GT(reply.body.size(), 0u);
        EXPECT_LT(static_cast<long>(reply.body.size()), reply.contentLength());
    } else if (fault == "png-cover") {
        EXPECT_EQ(reply.header("content-type"), "image/png");
        EXPECT_EQ(reply.body.rfind("\x89PNG\r\n\x1a\n", 0), 0u);
    } else if (fault == "truncated-jpeg") {
        EXPECT_TRUE(declaredWhole);
        EXPECT_EQ(reply.body.rfind("\xff\xd8", 0), 0u);
        EXPECT_FALSE(isWholeJpeg(reply.body));
    } else if (fault == "cover-redirect") {
        EXPECT_EQ(reply.status, 302);
        const std::string location = reply.header("location");
        EXPECT_EQ(location.substr(location.size() - target.size()), target);
    } else if (fault == "bad-chunk-size") {
        EXPECT_EQ(reply.header("transfer-encoding"), "chunked");
        EXPECT_EQ(reply.contentLength(), -1);
        EXPECT_EQ(reply.body.rfind("10\r\n", 0), 0u);
        EXPECT_EQ(reply.body.substr(4 + 16, 6), "\r\nzz\r\n");
    } else if (fault == "cookie-storm") {
        EXPECT_EQ(reply.headers.count("set-cookie"), 1000u);
        EXPECT_TRUE(isWholeJpeg(reply.body));
    }
    return fault;
}

const std::string kCover = "/data2/pic/cover0_150x150.jpg";
const std::vector<std::string> kJsonTargets = {
    "/info/suggestion?word=%E7%88%B1&format=json&version=2&from=0",
    "/v1/restserver/ting?size=100&type=1&format=json&method=baidu.ting.billboard.billList",
    "/data/music/fmlink?songIds=200000&rate=320&format=json&type=flac"};

// The fault names of a run of requests, JSON endpoints and the cover taken in turn.
std::vector<std::string> faultSequence(int port, int requests) {
    std::vector<std::string> names;
    for (int i = 0; i < requests; ++i) {
        const bool cover = i % 2 == 1;
        const std::string& target = cover ? kCover : kJsonTargets[(i / 2) % kJsonTargets.size()];
        names.push_back(checkReply(rawGet(port, target), target, cover));
    }
    return names;
}

TEST(MusicServiceFaultsTest, EveryFaultKindShowsOnTheWireAsItClaims) {
    MusicServiceProcess service(MUSIC_SERVICE_PATH,
                                {"--faults", "--seed", "7", "--stall-ms", "200"});
    std::set<std::string> jsonSeen;
    std::set<std::string> coverSeen;
    int clean = 0;
    for (int i = 0; i < kMostRequests && (jsonSeen != kJsonFaults || coverSeen != kCoverFaults);
         ++i) {
        const bool cover = i % 2 == 1;
        const std::string& target = cover ? kCover : kJsonTargets[(i / 2) % kJsonTargets.size()];
        const std::string fault = checkReply(rawGet(service.Port(), target), target, cover);
        if (fault.empty())
            ++clean;
        else
            (cover ? coverSeen : jsonSeen).insert(fault);
    }
    EXPECT_EQ(jsonSeen, kJsonFaults);
    EXPECT_EQ(coverSeen, kCoverFaults);
    EXPECT_GT(clean, 0) << "only a share of the replies fails";
    EXPECT_EQ(service.Stop(), 0) << service.Log();
}

TEST(MusicServiceFaultsTest, TheSeedFixesTheSequence) {
    constexpr int kRequests = 60;
    auto run = [](const std::string& seed) {
        MusicServiceProcess service(MUSIC_SERVICE_PATH,
                                    {"--faults", "--seed", seed, "--stall-ms", "200"});
        return faultSequence(service.Port(), kRequests);
    };
    const auto first = run("11");
    EXPECT_EQ(run("11"), first);
    EXPECT_NE(run("12"), first);
}

TEST(MusicServiceFaultsTest, WithoutFaultsEveryReplyIsWhole) {
    MusicServiceProcess service(MUSIC_SERVICE_PATH, {});
    const auto names = faultSequence(service.Port(), 40);
    EXPECT_EQ(names, std::vector<std::string>(40, ""));
}

TEST(MusicServiceFaultsTest, BadArgumentsAreRefused) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--seed"}, {"--faults", "--seed", "x"}, {"--stall-ms", "-1"}, {"--fault"}}) {
        SCOPED_TRACE(arguments.front());
        EXPECT_THROW(MusicServiceProcess(MUSIC_SERVICE_PATH, arguments), std::runtime_error);
    }
}

} // namespace
