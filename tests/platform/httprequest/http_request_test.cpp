#include "platform/httprequest/http_request.h"

#include "base/errors.h"
#include "support/loopback_http_server.h"
#include "support/loopback_ports.h"
#include "support/scripted_server.h"

#include <gtest/gtest.h>

using namespace melvanto;
using melvanto::test::LoopbackHttpServer;
using melvanto::test::RefusingPort;
using melvanto::test::ScriptedServer;
using melvanto::test::UnansweredPort;

namespace {

// libcurl error numbers the failures carry in their result code.
constexpr int kUnsupportedProtocol = 1;
constexpr int kCouldNotConnect = 7;
constexpr int kPartialFile = 18;
constexpr int kWriteError = 23;
constexpr int kTimedOut = 28;

std::u16string wide(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

class HttpRequest : public ::testing::Test {
protected:
    void TearDown() override { SetRequestLimitsForTesting(RequestLimits{}); }

    // Runs a GET and gives the failure it ends with.
    static EOleException failureOf(const std::string& url) {
        THttpRequest request;
        request.open(wide(url));
        try {
            request.send();
        } catch (const EOleException& failure) {
            return failure;
        }
        ADD_FAILURE() << "the request to " << url << " did not fail";
        return EOleException("", 0);
    }

    static void expectCleanMessage(const std::string& message) {
        ASSERT_FALSE(message.empty());
        const char last = message.back();
        EXPECT_TRUE(last != '.' && last != ' ' && last != '\n' && last != '\r') << message;
    }

    LoopbackHttpServer m_server;
};

TEST_F(HttpRequest, GivesTheWholeBodyWhateverTheStatus) {
    struct Case {
        int status;
        std::string body;
        std::string contentType;
    } cases[] = {
        {200, R"({"data":{"song":[]}})", "application/json"},
        {404, "<html><body><h1>Not Found</h1></body></html>", "text/html"},
        {500, "Internal Server Error", "text/plain"},
        {200, "", "text/plain"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        m_server.Reply("/reply", {c.status, c.body, c.contentType});
        THttpRequest request;
        request.open(wide(m_server.Url("/reply")));
        request.send();
        EXPECT_EQ(request.status(), c.status);
        EXPECT_EQ(request.responseText(), wide(c.body));
    }
}

TEST_F(HttpRequest, FollowsRedirects) {
    m_server.Reply("/old", {302, "moved", "text/plain", {{"Location", "/new?x=1"}}});
    m_server.Reply("/new", {200, "here"});
    THttpRequest request;
    request.open(wide(m_server.Url("/old")));
    request.send();
    EXPECT_EQ(request.responseText(), u"here");
    EXPECT_EQ(m_server.Targets(), (std::vector<std::string>{"/old", "/new?x=1"}));
}

TEST_F(HttpRequest, DecodesTheBodyAsUtf8) {
    struct Case {
        std::string body;
        std::u16string text;
    } cases[] = {
        {"\xE6\xAD\x8C\xE6\x9B\xB2 \xED\x95\x9C", u"歌曲 한"},
        {"\xEF\xBB\xBF{}", u"{}"}, // byte-order mark dropped
        {"a\xFF"
         "b\xE6\xAD",
         u"a\uFFFDb\uFFFD\uFFFD"}, // invalid bytes replaced
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        m_server.Reply("/text", {200, c.body, "text/plain"});
        THttpRequest request;
        request.open(wide(m_server.Url("/text")));
        request.send();
        EXPECT_EQ(request.responseText(), c.text);
    }
}

TEST_F(HttpRequest, SendsWhatAUrlCannotCarryPercentEncoded) {
    struct Case {
        std::u16string query;
        std::string sent;
    } cases[] = {
        {u"songIds=a b&c", "songIds=a%20b&c"}, {u"word=%E6%AD%8C+x", "word=%E6%AD%8C+x"},
        {u"word=歌", "word=%E6%AD%8C"},        {u"id=1\t2", "id=1%092"},
        {u"a=!$'()*-.@_~", "a=!$'()*-.@_~"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(m_server.Url("/q?") + c.sent);
        m_server.ClearTargets();
        THttpRequest request;
        request.open(wide(m_server.Url("/q?")) + c.query);
        request.send();
        EXPECT_EQ(m_server.Targets(), std::vector<std::string>{"/q?" + c.sent});
    }
}

TEST_F(HttpRequest, RefusedConnectionFailsWithTheRequestsDescription) {
    RefusingPort refusing;
    const std::string port = std::to_string(refusing.Port());
    const EOleException failure = failureOf("http://127.0.0.1:" + port + "/x");
    EXPECT_EQ(failure.ErrorCode(), RequestResultCode(kCouldNotConnect));
    EXPECT_EQ(failure.Message().rfind("Failed to connect to 127.0.0.1 port " + port, 0), 0u)
        << failure.Message();
    expectCleanMessage(failure.Message());
}

TEST_F(HttpRequest, ServerThatStopsAnsweringFailsAfterTheStallLimit) {
    SetRequestLimitsForTesting({std::chrono::milliseconds(5000), std::chrono::seconds(1)});
    struct Case {
        const char* name;
        std::string sent; // before the server falls silent
    } cases[] = {
        {"no answer at all", ""},
        {"half a reply", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n{\"data\":"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server;
        server.Accept().ReceiveUntil("\r\n\r\n").Send(c.sent).WaitForCue().Close();
        server.Start();
        const EOleException failure =
            failureOf("http://127.0.0.1:" + std::to_string(server.Port()) + "/slow");
        server.Cue();
        EXPECT_EQ(server.Finish(), "");
        EXPECT_EQ(failure.ErrorCode(), RequestResultCode(kTimedOut));
        EXPECT_EQ(failure.Message().rfind("Operation too slow", 0), 0u) << failure.Message();
        expectCleanMessage(failure.Message());
    }
}

TEST_F(HttpRequest, ConnectionThatIsNeverAnsweredFailsAfterTheConnectLimit) {
    SetRequestLimitsForTesting({std::chrono::milliseconds(300), std::chrono::seconds(30)});
    UnansweredPort unanswered;
    const std::string port = std::to_string(unanswered.Port());
    const EOleException failure = failureOf("http://127.0.0.1:" + port + "/");
    EXPECT_EQ(failure.ErrorCode(), RequestResultCode(kTimedOut));
    // libcurl words it by the phase the limit hit in: "Failed to connect to 127.0.0.1 port N
    // after 300 ms: Timeout was reached" or "Connection timeout after 300 ms".
    const std::string& message = failure.Message();
    const bool connectWording =
        message.rfind("Failed to connect to 127.0.0.1 port " + port, 0) == 0 &&
        message.find("Timeout was reached") != std::string::npos;
    const bool timeoutWording = message.rfind("Connection timeout after ", 0) == 0;
    EXPECT_TRUE(connectWording || timeoutWording) << message;
    expectCleanMessage(failure.Message());
}

TEST_F(HttpRequest, ReplyCutShortFails) {
    ScriptedServer server;
    server.Accept()
        .ReceiveUntil("\r\n\r\n")
        .Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n{\"data\":")
        .Close();
    server.Start();
    const EOleException failure =
        failureOf("http://127.0.0.1:" + std::to_string(server.Port()) + "/");
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(failure.ErrorCode(), RequestResultCode(kPartialFile));
    expectCleanMessage(failure.Message());
}

TEST_F(HttpRequest, BodyOverTheSizeLimitFails) {
    RequestLimits limits;
    limits.maxBodyBytes = 1000;
    SetRequestLimitsForTesting(limits);
    m_server.Reply("/big", {200, std::string(1000, 'a')});
    m_server.Reply("/bigger", {200, std::string(1001, 'a')});

    THttpRequest request;
    request.open(wide(m_server.Url("/big")));
    request.send();
    EXPECT_EQ(request.responseText().size(), 1000u);

    const EOleException failure = failureOf(m_server.Url("/bigger"));
    EXPECT_EQ(failure.ErrorCode(), RequestResultCode(kWriteError));
    EXPECT_EQ(failure.Message(), "The reply is larger than 1000 bytes");
}

TEST_F(HttpRequest, OnlyHttpIsFetched) {
    for (const char* url : {"file:///etc/hostname", "ftp://127.0.0.1/x", "gopher://127.0.0.1/"}) {
        SCOPED_TRACE(url);
        const EOleException failure = failureOf(url);
        EXPECT_EQ(failure.ErrorCode(), RequestResultCode(kUnsupportedProtocol));
        expectCleanMessage(failure.Message());
    }
}

} // namespace
