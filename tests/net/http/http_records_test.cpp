// The request and response records on their own: the status code read from a status
// line, the request lines written from the fields, and the Base64 of the authorization.

#include "net/http/basic_authentication.h"
#include "net/http/http_request.h"
#include "net/http/http_response.h"

#include <gtest/gtest.h>

#include <vector>

using namespace melvanto;

TEST(HttpResponse, TheStatusCodeOfAStatusLine) {
    struct Case {
        const char* line;
        int code;
    } cases[] = {
        {"HTTP/1.1 200 OK", 200},
        {"HTTP/1.0 404 Not Found", 404},
        {"HTTP/1.1 204", 204},
        {"HTTP/1.1   301   Moved", 301},
        {"HTTP/1.1 +302 Found", 302},
        {"HTTP/1.1 -5 odd", -5},
        // A whole number may be written in hexadecimal.
        {"HTTP/1.1 $C8 OK", 200},
        {"HTTP/1.1 0x194 Not Found", 404},
        {"HTTP/1.1 2147483648 x", -1},
        {"HTTP/1.1 20O OK", -1},
        {"HTTP/1.1", -1},
        {"HTTP/1.1 ", -1},
        {"", -1},
        {"200 OK", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TNetHTTPResponse response;
        response.SetResponseText(c.line);
        EXPECT_EQ(response.ResponseCode(), c.code);
    }
}

TEST(HttpResponse, ContentLengthIsAWholeNumberOfTheSigned32BitRange) {
    struct Case {
        const char* line;
        int64_t length;
    } cases[] = {
        {"Content-Length: 5", 5},
        {"content-length:   17  ", 17},
        {"Content-Length: 0", 0},
        {"Content-Length: 2147483647", 2147483647},
        {"Content-Length: 2147483648", -1},
        {"Content-Length: -1", -1},
        {"Content-Length: 12abc", -1},
        {"Content-Length:", -1},
        {"X-Other: 5", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TNetHTTPResponse response;
        response.RawHeaders().Add(c.line);
        response.ReadHeaderFields();
        EXPECT_EQ(response.ContentLength(), c.length);
        EXPECT_EQ(response.HasContentLength(), c.length >= 0);
    }
}

TEST(HttpRequest, HeaderLinesInTheirOrderAndOnlyWithAValue) {
    TNetHTTPRequest request;
    request.SetHost("img.example:8080");
    request.WriteHeaderLines();
    EXPECT_EQ(request.RawHeaders().Lines(), (std::vector<std::string>{
                                                "Content-Type: text/html",
                                                "Host: img.example:8080",
                                                "Accept: text/html, */*",
                                                "User-Agent: Mozilla/3.0 (compatible; Melvanto)",
                                            }));

    request.SetContentLength(0);
    request.SetContentType("");
    request.SetAuthentication(TNetBasicAuthentication());
    request.WriteHeaderLines();
    EXPECT_EQ(request.RawHeaders().Lines(), (std::vector<std::string>{
                                                "Content-Length: 0",
                                                "Host: img.example:8080",
                                                "Accept: text/html, */*",
                                                "User-Agent: Mozilla/3.0 (compatible; Melvanto)",
                                                "Authorization: Basic Og==",
                                            }));

    request.ResetHeaderFields();
    EXPECT_EQ(request.ContentType(), "text/html");
    EXPECT_EQ(request.ContentLength(), -1);
    EXPECT_FALSE(request.Authentication());
    EXPECT_EQ(request.Host(), "");
}

TEST(BasicAuthentication, Base64OfTheBytes) {
    struct Case {
        std::string bytes;
        const char* base64;
    } cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {":", "Og=="},
        {"user:pass", "dXNlcjpwYXNz"},
        {std::string("\x00\xFF\xFE\x80", 4), "AP/+gA=="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.base64);
        EXPECT_EQ(EncodeBase64(c.bytes), c.base64);
    }
    EXPECT_EQ(TNetBasicAuthentication().Authentication(), "Basic Og==");
}
