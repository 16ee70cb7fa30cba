// FetchToStream against a real server nobody here wrote: Debian's nginx on 127.0.0.1.

#include "base/errors.h"
#include "net/http/fetch_test_support.h"
#include "net/http/http_client.h"
#include "net/http/nginx_server.h"

#include <gtest/gtest.h>

#include <string>

using namespace melvanto;
using namespace melvanto::test;

namespace {

// A JPEG file as far as nginx is concerned: the JFIF start, varied bytes, the end marker.
std::string jpegFile(size_t size) {
    std::string bytes = "\xFF\xD8\xFF\xE0";
    bytes += std::string("\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 16);
    while (bytes.size() + 2 < size)
        bytes.push_back(static_cast<char>((bytes.size() * 131) % 251));
    return bytes + "\xFF\xD9";
}

// Every reply tells which connection of nginx carried it and how many requests that
// connection had carried by then.
const char kServerLines[] = R"(
        add_header X-Connection $connection;
        add_header X-Connection-Requests $connection_requests;
        location /pics/ { }
        location = /page.html { ssi on; }
        location = /set-cookie {
            add_header X-Connection $connection;
            add_header Set-Cookie "cover=abc123; path=/";
            add_header Set-Cookie "big=BIG; path=/";
            return 200 "cookies set";
        }
        location = /seen-cookie {
            add_header X-Connection $connection;
            add_header X-Seen-Cookie $http_cookie;
            return 200 "seen";
        }
)";

} // namespace

TEST(NginxInterop, KeepAliveChunkedNotFoundAndCookies) {
    if (!NginxServer::Installed())
        GTEST_SKIP() << NginxServer::Binary << " is not installed (Debian package nginx-light)";

    const std::string picture = jpegFile(300000);
    const std::string part(100000, 'p');
    // Past 1024 characters the "Cookie" line would be folded, which nginx refuses.
    std::string bigValue;
    while (bigValue.size() < 1200)
        bigValue += "0123456789abcdef";
    std::string serverLines = kServerLines;
    serverLines.replace(serverLines.find("BIG"), 3, bigValue);

    NginxServer nginx(
        {{"pics/cover.jpg", picture},
         {"part.txt", part},
         {"page.html", "<p>before</p><!--# include file=\"/part.txt\" --><p>after</p>"}},
        serverLines);
    const std::string base = "http://127.0.0.1:" + std::to_string(nginx.Port());
    TNetHTTP http;

    // The same picture twice, over one connection.
    std::string connection;
    for (const char* requests : {"1", "2"}) {
        SCOPED_TRACE(requests);
        TMemoryStream body;
        http.FetchToStream(base + "/pics/cover.jpg", body);
        EXPECT_EQ(Contents(body), picture);
        EXPECT_EQ(http.ResponseCode(), 200);
        EXPECT_EQ(http.Response().ContentType(), "image/jpeg");
        EXPECT_EQ(http.Response().ContentLength(), static_cast<int64_t>(picture.size()));
        EXPECT_EQ(http.Response().RawHeaders().Value("X-Connection-Requests"), requests);
        if (connection.empty()) connection = http.Response().RawHeaders().Value("X-Connection");
        EXPECT_EQ(http.Response().RawHeaders().Value("X-Connection"), connection);
        EXPECT_TRUE(http.LinkIsOpen());
    }
    ASSERT_FALSE(connection.empty());

    // Server-side includes make a reply of unknown length: chunked.
    {
        TMemoryStream body;
        http.FetchToStream(base + "/page.html", body);
        EXPECT_EQ(http.Response().TransferEncoding(), "chunked");
        EXPECT_FALSE(http.Response().HasContentLength());
        EXPECT_EQ(Contents(body), "<p>before</p>" + part + "<p>after</p>");
    }

    {
        TMemoryStream body;
        auto failure = FailureOf<ENetHTTPProtocolException>(
            [&] { http.FetchToStream(base + "/pics/missing.jpg", body); });
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->Message(), "HTTP/1.1 404 Not Found");
        EXPECT_EQ(failure->StatusCode(), 404);
        EXPECT_NE(failure->ReplyBody().find("404 Not Found"), std::string::npos);
        EXPECT_EQ(Contents(body), "");
    }

    // Cookies set by one reply come back with the next request.
    {
        TMemoryStream body;
        http.FetchToStream(base + "/set-cookie", body);
        EXPECT_EQ(Contents(body), "cookies set");
        http.FetchToStream(base + "/seen-cookie", body);
        EXPECT_EQ(Contents(body), "cookies setseen");
        EXPECT_EQ(http.Response().RawHeaders().Value("X-Seen-Cookie"),
                  "big=" + bigValue + "; cover=abc123");
    }

    // Everything went over the first connection.
    EXPECT_EQ(http.Response().RawHeaders().Value("X-Connection"), connection);
}
