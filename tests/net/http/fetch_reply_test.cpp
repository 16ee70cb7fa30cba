// How FetchToStream reads and judges the reply head.

#include "base/errors.h"
#include "net/http/fetch_test_support.h"
#include "net/http/http_client.h"
#include "support/scripted_server.h"

#include <gtest/gtest.h>

#include <string>

using namespace melvanto;
using namespace melvanto::test;

namespace {

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// A stream that already holds bytes, positioned inside them: a failing call must leave
// it exactly so.
void fillWithOldBytes(TMemoryStream& stream) {
    stream.Write("old bytes", 9);
    stream.SetPosition(4);
}

} // namespace

// Every reply other than 2xx, and every redirect, fails with its status line as
// received; the failure carries the code and the body, and the caller's stream is left
// alone.
TEST(FetchReply, FailingRepliesCarryStatusLineCodeAndBody) {
    struct Case {
        const char* reply; // the server closes after it
        const char* message;
        int code;
        const char* body;
    } cases[] = {
        {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot here!", "HTTP/1.1 404 Not Found",
         404, "not here!"},
        {"HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1/y.jpg\r\nContent-Length: 3\r\n\r\nabc",
         "HTTP/1.1 302 Found", 302, "abc"},
        {"HTTP/1.1 301 Moved Permanently\r\nContent-Length: 0\r\n\r\n",
         "HTTP/1.1 301 Moved Permanently", 301, ""},
        {"HTTP/1.1 200 OK\r\nLocation: /elsewhere.jpg\r\nContent-Length: 2\r\n\r\nok",
         "HTTP/1.1 200 OK", 200, "ok"},
        {"HTTP/1.1 304 Not Modified\r\nContent-Length: 3\r\n\r\n", "HTTP/1.1 304 Not Modified", 304,
         ""},
        {"HTTP/1.1 500 Internal Server Error\r\nTransfer-Encoding: chunked\r\n\r\n"
         "3\r\nbad\r\n0\r\n\r\n",
         "HTTP/1.1 500 Internal Server Error", 500, "bad"},
        {"HTTP/1.0 503  Busy \r\n\r\ncome back later", "HTTP/1.0 503  Busy ", 503,
         "come back later"},
        {"HTTP/1.1 101 Switching Protocols\r\n\r\n", "HTTP/1.1 101 Switching Protocols", 101, ""},
        {"HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic\r\n"
         "Content-Length: 0\r\n\r\n",
         "HTTP/1.1 407 Proxy Authentication Required", 407, ""},
        // A status line that cannot be read.
        {"garbage\r\n\r\n", "garbage", -1, ""},
        {"HTTP/1.1 2OO OK\r\nContent-Length: 1\r\n\r\nx", "HTTP/1.1 2OO OK", -1, "x"},
        {"HTTP/1.1\r\n\r\n", "HTTP/1.1", -1, ""},
        // Closed part-way through the status line: an empty status line.
        {"HTTP/1.1 2", "", -1, "HTTP/1.1 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        ScriptedServer server;
        server.Accept().ReceiveUntil("\r\n\r\n").Send(c.reply).Close();
        server.Start();
        TNetHTTP http;
        TMemoryStream stream;
        fillWithOldBytes(stream);
        auto failure = FailureOf<ENetHTTPProtocolException>(
            [&] { http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), stream); });
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->Message(), c.message);
        EXPECT_EQ(failure->StatusCode(), c.code);
        EXPECT_EQ(failure->ReplyBody(), c.body);
        EXPECT_EQ(http.ResponseCode(), c.code);
        EXPECT_EQ(Contents(stream), "old bytes");
        EXPECT_EQ(stream.Position(), 4);
        EXPECT_EQ(server.Finish(), "");
    }
}

// Interim 100 replies are skipped; the cookies of every head are kept.
TEST(FetchReply, InterimRepliesBeforeTheAnswer) {
    ScriptedServer server;
    server.Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send("HTTP/1.1 100 Continue\r\nSet-Cookie: first=1; path=/\r\n\r\n"
              "HTTP/1.1 100 Continue\r\n\r\n"
              "HTTP/1.1 200 OK\r\nSet-Cookie: second=2; path=/\r\nContent-Length: 4\r\n\r\nbody")
        .ReceiveUntil("\r\n\r\n")
        .Send("HTTP/1.1 204 No Content\r\n\r\n")
        .ReceiveUntilClose();
    server.Start();
    const std::string host = HostText(server.Port());
    {
        TNetHTTP http;
        TMemoryStream body;
        http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), body);
        EXPECT_EQ(Contents(body), "body");
        EXPECT_EQ(http.ResponseCode(), 200);
        http.FetchToStream(LocalUrl(server.Port(), "/b.jpg"), body);
    }
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.Received(0), RequestHead("/a.jpg", host) +
                                      RequestHead("/b.jpg", host, "Cookie: second=2; first=1\r\n"));
}

// A 304 has no body even without a length, so it fails at once and the connection
// carries the next request.
TEST(FetchReply, ANotModifiedReplyReadsNoBody) {
    ScriptedServer server;
    server.Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send("HTTP/1.1 304 Not Modified\r\nETag: \"x\"\r\n\r\n")
        .ReceiveUntil("\r\n\r\n")
        .Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok")
        .ReceiveUntilClose();
    server.Start();
    {
        TNetHTTP http;
        TMemoryStream body;
        auto failure = FailureOf<ENetHTTPProtocolException>(
            [&] { http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), body); });
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->Message(), "HTTP/1.1 304 Not Modified");
        EXPECT_TRUE(http.LinkIsOpen());
        http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), body);
        EXPECT_EQ(Contents(body), "ok");
    }
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.ConnectionCount(), 1u);
}

// A 2xx head cut short by the server's close leaves nothing to read the body from.
TEST(FetchReply, ASuccessWhoseConnectionClosedInItsHeadIsUndefined) {
    for (const char* head : {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n",
                             "HTTP/1.1 204 No Content\r\nX-A: 1\r\nX-B: 2"}) {
        SCOPED_TRACE(head);
        ScriptedServer server;
        server.Accept().ReceiveUntil("\r\n\r\n").Send(head).Close();
        server.Start();
        TNetHTTP http;
        TMemoryStream stream;
        fillWithOldBytes(stream);
        auto failure = FailureOf<ENetException>(
            [&] { http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), stream); });
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->Message(), "Undefined situation");
        EXPECT_FALSE(http.LinkIsOpen());
        EXPECT_EQ(Contents(stream), "old bytes");
        EXPECT_EQ(server.Finish(), "");
    }
}

// The status line and the header lines are lines of the TCP connection: a close before
// the status line and an overlong line fail the call; so does a head past 1 MiB.
TEST(FetchReply, HeadLinesThatCannotBeRead) {
    const std::string longLine = "X-Long: " + std::string(16385 - 8, 'a');
    const std::string longestLine = "X-Long: " + std::string(16383 - 8, 'a');
    struct Case {
        std::string reply;
        const std::type_info& failure; // typeid(void): the call succeeds
        const char* message;
    } cases[] = {
        {"", typeid(ENetConnClosedGracefully), "Connection Closed Gracefully."},
        {"HTTP/1.1 200 OK\r\n" + longLine + "\r\nContent-Length: 2\r\n\r\nok",
         typeid(ENetReadLnMaxLineLengthExceeded), "Max line length exceeded."},
        {"HTTP/1.1 200 " + std::string(16385 - 13, 'O') + "\r\nContent-Length: 2\r\n\r\nok",
         typeid(ENetReadLnMaxLineLengthExceeded), "Max line length exceeded."},
        {"HTTP/1.1 200 OK\r\n" + longestLine + "\r\nContent-Length: 2\r\n\r\nok", typeid(void), ""},
        // Heads without end: header lines, or interim replies, past 1 MiB.
        {"HTTP/1.1 200 OK\r\n" + repeated(longestLine + "\r\n", 70) + "\r\n", typeid(ENetException),
         "Reply head too large (over 1 MiB)."},
        {repeated("HTTP/1.1 100 Continue\r\n\r\n", 50000), typeid(ENetException),
         "Reply head too large (over 1 MiB)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.substr(0, 40));
        ScriptedServer server;
        server.Accept().ReceiveUntil("\r\n\r\n").Send(c.reply).Close();
        server.Start();
        TNetHTTP http;
        TMemoryStream body;
        try {
            http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), body);
            EXPECT_EQ(c.failure, typeid(void));
            EXPECT_EQ(Contents(body), "ok");
            EXPECT_EQ(http.Response().RawHeaders().Value("X-Long").size(), 16383u - 8);
        } catch (const Exception& e) {
            EXPECT_EQ(typeid(e), c.failure) << e.Message();
            EXPECT_EQ(e.Message(), c.message);
            EXPECT_FALSE(http.LinkIsOpen());
        }
        // The client may stop reading before the server has sent everything.
        server.Finish();
    }
}

// The reply fields the client acts on, read from the head as received.
TEST(FetchReply, HeadFieldsAreReadFromTheRawLines) {
    ScriptedServer server;
    server.Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send("HTTP/1.1 200 OK\r\n"
              "content-type:  image/jpeg \r\n"
              "X-Folded: one\r\n"
              "\ttwo\r\n"
              "Content-Length:  3 \r\n"
              "Connection: keep-alive\r\n"
              "\r\nabc")
        .ReceiveUntilClose();
    server.Start();
    {
        TNetHTTP http;
        TMemoryStream body;
        http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), body);
        const TNetHTTPResponse& response = http.Response();
        EXPECT_EQ(response.ResponseText(), "HTTP/1.1 200 OK");
        EXPECT_EQ(response.ContentType(), "image/jpeg");
        EXPECT_EQ(response.ContentLength(), 3);
        EXPECT_EQ(response.Connection(), "keep-alive");
        EXPECT_EQ(response.RawHeaders().Value("X-Folded"), "one two");
        EXPECT_EQ(response.RawHeaders().Count(), 5u);
        EXPECT_EQ(response.RawHeaders()[2], "\ttwo");
        EXPECT_EQ(Contents(body), "abc");
    }
    EXPECT_EQ(server.Finish(), "");
}

// The body of a failing reply may pause for 2000 ms at most; the limit is the
// connection's own again afterwards, and the connection, holding the rest of that
// reply, is closed.
TEST(FetchReply, AFailingReplyWhoseBodyStalls) {
    ScriptedServer server;
    server.Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send("HTTP/1.1 404 Not Found\r\nContent-Length: 10\r\n\r\nabc")
        .ReceiveUntilClose();
    server.Start();
    TNetHTTP http;
    http.SetReadTimeout(20000);
    TMemoryStream body;
    auto failure = FailureOf<ENetReadTimeout>(
        [&] { http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), body); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Message(), "Read Timeout");
    EXPECT_EQ(http.ReadTimeout(), 20000);
    EXPECT_FALSE(http.LinkIsOpen());
    EXPECT_EQ(Contents(body), "");
    EXPECT_EQ(server.Finish(), "");
}
