// When FetchToStream opens, reuses and closes its connection.

#include "base/errors.h"
#include "net/http/fetch_test_support.h"
#include "net/http/http_client.h"
#include "support/scripted_server.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

using namespace melvanto;
using namespace melvanto::test;

namespace {

std::string okReply(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

} // namespace

// Calls to the same host (letter case ignored) and port share one connection.
TEST(FetchConnection, KeepAliveCallsShareOneConnection) {
    ScriptedServer server;
    server.Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send(okReply("one"))
        .ReceiveUntil("\r\n\r\n")
        .Send(okReply("two"))
        .ReceiveUntil("\r\n\r\n")
        .Send("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nthree")
        .ReceiveUntil("\r\n\r\n")
        .Send(okReply("four"))
        .ReceiveUntilClose();
    server.Start();
    const std::string port = std::to_string(server.Port());
    {
        TNetHTTP http;
        TMemoryStream body;
        http.FetchToStream("http://localhost:" + port + "/a.jpg", body);
        EXPECT_TRUE(http.LinkIsOpen());
        http.FetchToStream("http://LOCALHOST:" + port + "/b.jpg", body);
        // An HTTP/1.0 reply without "Connection" keeps the connection as well.
        http.FetchToStream("http://localhost:" + port + "/c.jpg", body);
        EXPECT_TRUE(http.LinkIsOpen());
        http.FetchToStream("http://localhost:" + port + "/d.jpg", body);
        EXPECT_EQ(Contents(body), "onetwothreefour");
    }
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.ConnectionCount(), 1u);
    EXPECT_EQ(server.Received(0), RequestHead("/a.jpg", "localhost:" + port) +
                                      RequestHead("/b.jpg", "LOCALHOST:" + port) +
                                      RequestHead("/c.jpg", "localhost:" + port) +
                                      RequestHead("/d.jpg", "localhost:" + port));
}

// "close" in "Connection" or "Proxy-Connection" (any letter case, blanks around it)
// makes the call close the connection before it returns; other values keep it.
TEST(FetchConnection, ConnectionCloseClosesBeforeReturning) {
    struct Case {
        const char* line;
        bool kept;
    } cases[] = {
        {"Connection: close", false},       {"Connection: CLOSE", false},
        {"connection:   Close  ", false},   {"Connection:\tclose", false},
        {"Proxy-Connection: close", false}, {"Connection: keep-alive", true},
        {"Connection: closed", true},       {"Connection: close, keep-alive", true},
        {"X-Connection: close", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptedServer server;
        server.Accept()
            .ReceiveUntil("\r\n\r\n")
            .Send(std::string("HTTP/1.1 200 OK\r\n") + c.line + "\r\nContent-Length: 2\r\n\r\nok")
            .ReceiveUntilClose()
            .Signal();
        server.Start();
        TNetHTTP http;
        TMemoryStream body;
        http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), body);
        EXPECT_EQ(Contents(body), "ok");
        EXPECT_EQ(http.LinkIsOpen(), c.kept);
        // The server sees this side close only when the call closed the connection.
        if (!c.kept) {
            EXPECT_TRUE(server.WaitForSignal());
        }
        http.CloseLink();
        EXPECT_EQ(server.Finish(), "");
    }
}

// A call to another port or host closes the open connection first; so does a server
// that closed the idle connection, and bytes that came in on it uninvited.
TEST(FetchConnection, ANewConnectionWhenTheOldOneCannotServe) {
    ScriptedServer first;
    first.Accept().ReceiveUntil("\r\n\r\n").Send(okReply("first")).ReceiveUntilClose().Signal();
    first.Start();
    ScriptedServer second;
    second.Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send(okReply("a"))
        .Close()
        .Signal()
        .Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send(okReply("b") + "uninvited")
        .ReceiveUntilClose()
        .Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send(okReply("c"))
        .ReceiveUntilClose();
    second.Start();
    {
        TNetHTTP http;
        TMemoryStream body;
        http.FetchToStream(LocalUrl(first.Port(), "/x.jpg"), body);
        http.FetchToStream(LocalUrl(second.Port(), "/a.jpg"), body);
        EXPECT_TRUE(first.WaitForSignal());
        // The server has closed the idle connection: noticed before the next request.
        ASSERT_TRUE(second.WaitForSignal());
        http.FetchToStream(LocalUrl(second.Port(), "/b.jpg"), body);
        // "uninvited" arrived after the body: the connection is not used again.
        http.FetchToStream(LocalUrl(second.Port(), "/c.jpg"), body);
        EXPECT_EQ(Contents(body), "firstabc");
    }
    EXPECT_EQ(first.Finish(), "");
    EXPECT_EQ(second.Finish(), "");
    EXPECT_EQ(second.ConnectionCount(), 3u);
    const std::string host = HostText(second.Port());
    EXPECT_EQ(second.Received(0), RequestHead("/a.jpg", host));
    EXPECT_EQ(second.Received(1), RequestHead("/b.jpg", host));
    EXPECT_EQ(second.Received(2), RequestHead("/c.jpg", host));
}

// https fails before any byte is sent; an open connection to another host or port is
// closed first, one to the same host and port stays.
TEST(FetchConnection, HttpsFailsBeforeAnythingIsSent) {
    ScriptedServer server;
    server.Accept().ReceiveUntil("\r\n\r\n").Send(okReply("ok")).ReceiveUntilClose().Signal();
    server.Start();
    TNetHTTP http;
    TMemoryStream body;
    http.FetchToStream(LocalUrl(server.Port(), "/a.jpg"), body);

    auto expectRefused = [&](const std::string& url) {
        SCOPED_TRACE(url);
        auto failure = FailureOf<ENetIOHandlerPropInvalid>([&] { http.FetchToStream(url, body); });
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->Message(), "IOHandler value is not valid");
    };
    expectRefused("https://127.0.0.1:" + std::to_string(server.Port()) + "/b.jpg");
    EXPECT_TRUE(http.LinkIsOpen());
    expectRefused("HTTPS://127.0.0.1/b.jpg");
    EXPECT_EQ(http.URL().Port(), "443");
    EXPECT_FALSE(http.LinkIsOpen());
    EXPECT_TRUE(server.WaitForSignal());
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.Received(0), RequestHead("/a.jpg", HostText(server.Port())));
    EXPECT_EQ(Contents(body), "ok");
}

// Failures found while preparing the request come before any connection is made.
TEST(FetchConnection, FailuresBeforeConnecting) {
    struct Case {
        const char* url;
        const std::type_info& failure;
        const char* message;
    } cases[] = {
        {"ftp://127.0.0.1/x.jpg", typeid(ENetUnknownProtocol), ""},
        {"gopher://127.0.0.1/", typeid(ENetUnknownProtocol), ""},
        {"https://127.0.0.1/x.jpg", typeid(ENetIOHandlerPropInvalid),
         "IOHandler value is not valid"},
        {"http://127.0.0.1:8o/x.jpg", typeid(EConvertError), "'8o' is not a valid integer value"},
        {"http://127.0.0.1: 80x/", typeid(EConvertError), "' 80x' is not a valid integer value"},
        {"http://127.0.0.1/a.jpg\r\nX-Injected: 1", typeid(ENetException),
         "URL contains a line break."},
        {"http://127.0.0.1\n/a.jpg", typeid(ENetException), "URL contains a line break."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        TNetHTTP http;
        TMemoryStream body;
        try {
            http.FetchToStream(c.url, body);
            ADD_FAILURE() << "no failure";
        } catch (const Exception& e) {
            EXPECT_EQ(typeid(e), c.failure) << e.Message();
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(http.IOHandler(), nullptr);
    }
}
