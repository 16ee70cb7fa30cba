// The request FetchToStream writes on the wire, byte for byte.

#include "base/errors.h"
#include "net/http/fetch_test_support.h"
#include "net/http/http_client.h"
#include "platform/socket/ipv4_socket.h"
#include "support/scripted_server.h"

#include <gtest/gtest.h>

#include <string>

using namespace melvanto;
using namespace melvanto::test;

namespace {

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";

} // namespace

// Everything after the host goes out as the URL gives it, in one send: no
// percent-encoding, the fragment left out, backslashes made slashes.
TEST(FetchRequest, TheHeadForEachShapeOfUrl) {
    struct Case {
        const char* rest; // the URL after "http://127.0.0.1:<port>"
        const char* target;
    } cases[] = {
        {"/dir/pic.jpg", "/dir/pic.jpg"},
        {"", "/"},
        {"/", "/"},
        {"/a.jpg#top", "/a.jpg"},
        {"/pic.jpg?size=big#top", "/pic.jpg?size=big"},
        {"/dir\\a\\b.jpg", "/dir/a/b.jpg"},
        {"/my pics/\xE5\x9B\xBE \xC3\xA9.jpg?q=a b&r=%41",
         "/my pics/\xE5\x9B\xBE \xC3\xA9.jpg?q=a b&r=%41"},
        {"/a/../b/./c.jpg", "/a/../b/./c.jpg"},
        {"/dir/x=1/y", "/dir/x=1/y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rest);
        ScriptedServer server;
        server.Accept().ReceiveUntil("\r\n\r\n").Send(kOk).ReceiveUntilClose();
        server.Start();
        {
            TNetHTTP http;
            TMemoryStream body;
            const uint64_t sendsBefore = SendCallCountForTesting();
            http.FetchToStream(LocalUrl(server.Port(), c.rest), body);
            EXPECT_EQ(SendCallCountForTesting() - sendsBefore, 1u);
            EXPECT_EQ(Contents(body), "ok");
        }
        EXPECT_EQ(server.Finish(), "");
        EXPECT_EQ(server.Received(0), RequestHead(c.target, HostText(server.Port())));
    }
}

// The host text carries the port unless the port text is exactly "80"; a URL without a
// port takes its protocol's default port, also after a request to another port.
TEST(FetchRequest, HostTextAndDefaultPort) {
    ScriptedServer server;
    server.Accept().ReceiveUntil("\r\n\r\n").Send(kOk).ReceiveUntilClose();
    server.Start();
    TNetHTTP http;
    http.SetReadTimeout(2000);
    TMemoryStream body;
    http.FetchToStream("http://LocalHost:" + std::to_string(server.Port()) + "/a.jpg", body);
    EXPECT_EQ(http.Request().Host(), "LocalHost:" + std::to_string(server.Port()));

    struct Case {
        const char* url;
        const char* hostText;
        const char* port;
    } cases[] = {
        {"http://localhost/dir/x.jpg", "localhost", "80"},
        {"http://127.0.0.1:80/x.jpg", "127.0.0.1", "80"},
        {"http://127.0.0.1:080/x.jpg", "127.0.0.1:080", "080"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        // Whether something serves port 80 here does not matter: the request is
        // prepared before the connection is made.
        try {
            http.FetchToStream(c.url, body);
        } catch (const Exception&) {
        }
        EXPECT_EQ(http.Request().Host(), c.hostText);
        EXPECT_EQ(http.URL().Port(), c.port);
        EXPECT_EQ(http.Port(), 80);
    }
    // The first connection was given up for the other port.
    EXPECT_EQ(server.Finish(), "");
}

// User information is kept in the request for later calls but never sent.
TEST(FetchRequest, UserInformationStaysOffTheWire) {
    ScriptedServer server;
    server.Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send(kOk)
        .ReceiveUntil("\r\n\r\n")
        .Send(kOk)
        .ReceiveUntil("\r\n\r\n")
        .Send(kOk)
        .ReceiveUntilClose();
    server.Start();
    const std::string host = HostText(server.Port());
    {
        TNetHTTP http;
        TMemoryStream body;
        http.FetchToStream("http://user:secret@" + host + "/a.jpg", body);
        EXPECT_EQ(http.Request().Username(), "user");
        EXPECT_EQ(http.Request().Password(), "secret");
        EXPECT_EQ(http.URL().Username(), "user");
        EXPECT_EQ(http.URL().Password(), "secret");

        http.FetchToStream("http://" + host + "/b.jpg", body);
        EXPECT_EQ(http.Request().Username(), "user");
        EXPECT_EQ(http.URL().Password(), "secret");

        // Without a user name the password is not taken either.
        http.FetchToStream("http://:other@" + host + "/c.jpg", body);
        EXPECT_EQ(http.Request().Username(), "user");
        EXPECT_EQ(http.Request().Password(), "secret");
    }
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.Received(0), RequestHead("/a.jpg", host) + RequestHead("/b.jpg", host) +
                                      RequestHead("/c.jpg", host));
}

// A 401 with a Basic challenge makes every later request carry the same "Authorization"
// line, also over a new connection; other challenges leave the requests as they were.
TEST(FetchRequest, AuthorizationAfterABasicChallenge) {
    struct Case {
        const char* challengeLines;
        bool authorizes;
    } cases[] = {
        {"WWW-Authenticate: Basic realm=\"covers\"\r\n", true},
        {"WWW-Authenticate: basic\r\n", true},
        {"WWW-Authenticate: Digest realm=\"x\"\r\nWWW-Authenticate: Basic realm=\"y\"\r\n", true},
        {"WWW-Authenticate: Digest realm=\"x\"\r\n", false},
        {"WWW-Authenticate: Basically\r\n", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.challengeLines);
        ScriptedServer server;
        server.Accept()
            .ReceiveUntil("\r\n\r\n")
            .Send(std::string("HTTP/1.1 401 Unauthorized\r\n") + c.challengeLines +
                  "Content-Length: 4\r\n\r\nwho?")
            .ReceiveUntil("\r\n\r\n")
            .Send("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 2\r\n\r\nok")
            .ReceiveUntilClose()
            .Accept()
            .ReceiveUntil("\r\n\r\n")
            .Send(kOk)
            .ReceiveUntilClose();
        server.Start();
        const std::string host = HostText(server.Port());
        {
            TNetHTTP http;
            TMemoryStream body;
            auto failure = FailureOf<ENetHTTPProtocolException>(
                [&] { http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), body); });
            ASSERT_TRUE(failure);
            EXPECT_EQ(failure->Message(), "HTTP/1.1 401 Unauthorized");
            EXPECT_EQ(failure->StatusCode(), 401);
            EXPECT_EQ(failure->ReplyBody(), "who?");
            EXPECT_EQ(Contents(body), "");
            EXPECT_EQ(http.Request().Authentication().has_value(), c.authorizes);

            http.FetchToStream(LocalUrl(server.Port(), "/b.jpg"), body);
            http.FetchToStream(LocalUrl(server.Port(), "/c.jpg"), body);
        }
        EXPECT_EQ(server.Finish(), "");
        const std::string authorization = c.authorizes ? "Authorization: Basic Og==\r\n" : "";
        EXPECT_EQ(server.Received(0),
                  RequestHead("/a.jpg", host) + RequestHead("/b.jpg", host, authorization));
        EXPECT_EQ(server.Received(1), RequestHead("/c.jpg", host, authorization));
    }
}

// The cookies of a reply, a failing one too, come back in a "Cookie" line at the end of
// the head; a cookie without a path belongs to the directory it came from.
TEST(FetchRequest, CookiesComeBackInTheLastLine) {
    ScriptedServer server;
    server.Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send("HTTP/1.1 401 Unauthorized\r\n"
              "WWW-Authenticate: Basic realm=\"x\"\r\n"
              "Set-Cookie: id=42\r\n"
              "set-cookie: theme=dark; path=/\r\n"
              "Content-Length: 0\r\n\r\n")
        .ReceiveUntil("\r\n\r\n")
        .Send(kOk)
        .ReceiveUntil("\r\n\r\n")
        .Send(kOk)
        .ReceiveUntilClose();
    server.Start();
    const std::string host = HostText(server.Port());
    {
        TNetHTTP http;
        TMemoryStream body;
        EXPECT_EQ(http.CookieManager(), nullptr);
        EXPECT_THROW(http.FetchToStream(LocalUrl(server.Port(), "/pics/a.jpg"), body),
                     ENetHTTPProtocolException);
        ASSERT_NE(http.CookieManager(), nullptr);
        http.FetchToStream(LocalUrl(server.Port(), "/pics/b.jpg"), body);
        http.FetchToStream(LocalUrl(server.Port(), "/other/c.jpg"), body);
    }
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.Received(0),
              RequestHead("/pics/a.jpg", host) +
                  RequestHead("/pics/b.jpg", host,
                              "Authorization: Basic Og==\r\nCookie: id=42; theme=dark\r\n") +
                  RequestHead("/other/c.jpg", host,
                              "Authorization: Basic Og==\r\nCookie: theme=dark\r\n"));
}

// Servers refuse folded request lines, so a long "Cookie" line goes out whole, however
// many blanks and commas it holds.
TEST(FetchRequest, ALongCookieLineIsNotFolded) {
    std::string value;
    while (value.size() < 1500)
        value += "ab, cd ef,";
    ScriptedServer server;
    server.Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send("HTTP/1.1 200 OK\r\nSet-Cookie: big=" + value +
              "; path=/\r\nContent-Length: 2\r\n\r\nok")
        .ReceiveUntil("\r\n\r\n")
        .Send(kOk)
        .ReceiveUntilClose();
    server.Start();
    const std::string host = HostText(server.Port());
    {
        TNetHTTP http;
        TMemoryStream body;
        http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), body);
        http.FetchToStream(LocalUrl(server.Port(), "/b.jpg"), body);
    }
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.Received(0), RequestHead("/a.jpg", host) +
                                      RequestHead("/b.jpg", host, "Cookie: big=" + value + "\r\n"));
}
