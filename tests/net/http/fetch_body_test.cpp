// How FetchToStream frames the reply body and what ends in the caller's stream.

#include "base/errors.h"
#include "net/http/fetch_test_support.h"
#include "net/http/http_client.h"
#include "support/scripted_server.h"

#include <gtest/gtest.h>

#include <string>

using namespace melvanto;
using namespace melvanto::test;

namespace {

const std::string kHead = "HTTP/1.1 200 OK\r\n";

// Bytes that differ from one position to the next, so a misplaced piece shows.
std::string pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return bytes;
}

} // namespace

// The body goes into the stream from the position it had, and the stream ends where the
// body ends; a reply without a body leaves the stream as it was.
TEST(FetchBody, FramingByLengthChunksAndClose) {
    const std::string big = pattern(200000);
    struct Case {
        const char* name;
        std::string reply; // the server closes after it
        std::string body;  // "" for none: the stream stays as it was
    } cases[] = {
        {"length", kHead + "Content-Length: 5\r\n\r\nhello", "hello"},
        {"length with blanks", kHead + "Content-Length:   5 \r\n\r\nhello", "hello"},
        {"large length", kHead + "Content-Length: 200000\r\n\r\n" + big, big},
        {"length beyond 2^31 - 1", kHead + "Content-Length: 4294967296\r\n\r\nuntil close",
         "until close"},
        {"length 2^31", kHead + "Content-Length: 2147483648\r\n\r\nuntil close", "until close"},
        {"negative length", kHead + "Content-Length: -3\r\n\r\nuntil close", "until close"},
        {"no length", kHead + "\r\n" + big, big},
        {"length 0", kHead + "Content-Length: 0\r\n\r\n", ""},
        {"chunks 4, 5 and 0",
         kHead + "Transfer-Encoding: chunked\r\n\r\n4\r\nWiki\r\n5\r\npedia\r\n0\r\n\r\n",
         "Wikipedia"},
        {"large chunks",
         kHead + "Transfer-Encoding: chunked\r\n\r\n186A0\r\n" + big.substr(0, 100000) +
             "\r\n186a0\r\n" + big.substr(100000) + "\r\n0\r\n\r\n",
         big},
        {"chunk extensions",
         kHead + "Transfer-Encoding: chunked\r\n\r\n4;name=v\r\nWiki\r\n5 ; x\r\npedia\r\n"
                 "0;last\r\n\r\n",
         "Wikipedia"},
        {"chunked among other codings",
         kHead + "Transfer-Encoding: identity, chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n", "abc"},
        {"Chunked in capitals is no chunking",
         kHead + "Transfer-Encoding: Chunked\r\n\r\n4\r\nWiki\r\n0\r\n\r\n",
         "4\r\nWiki\r\n0\r\n\r\n"},
        {"length before chunks",
         kHead + "Transfer-Encoding: chunked\r\nContent-Length: 5\r\n\r\nhello", "hello"},
        {"204 reads no body", "HTTP/1.1 204 No Content\r\nContent-Length: 5\r\n\r\nhello", ""},
        {"204 without a length", "HTTP/1.1 204 No Content\r\n\r\n", ""},
        {"206 is a success", "HTTP/1.1 206 Partial Content\r\nContent-Length: 2\r\n\r\nhi", "hi"},
        {"HTTP/1.0 until close", "HTTP/1.0 200 OK\r\n\r\nold server", "old server"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server;
        server.Accept().ReceiveUntil("\r\n\r\n").Send(c.reply).Close();
        server.Start();
        TNetHTTP http;
        TMemoryStream stream;
        stream.Write("0123456789", 10);
        stream.SetPosition(3);
        http.FetchToStream(LocalUrl(server.Port(), "/pic.jpg"), stream);
        if (c.body.empty()) {
            EXPECT_EQ(Contents(stream), "0123456789");
            EXPECT_EQ(stream.Position(), 3);
        } else {
            EXPECT_EQ(Contents(stream), "012" + c.body);
            EXPECT_EQ(stream.Position(), static_cast<int64_t>(3 + c.body.size()));
        }
        EXPECT_EQ(server.Finish(), "");
    }
}

// A body that does not arrive whole fails the call: a close inside the declared length
// or inside a chunk, and chunk framing that cannot be read. The stream keeps what was
// written (bytes that came with the head go in first), and the connection is closed.
TEST(FetchBody, BodiesCutShortOrBadlyFramed) {
    struct Case {
        const char* name;
        std::string reply;
        const std::type_info& failure;
        const char* message;
        std::string written;
    } cases[] = {
        {"close inside the length", kHead + "Content-Length: 10\r\n\r\nabc",
         typeid(ENetConnClosedGracefully), "Connection Closed Gracefully.", "abc"},
        {"close inside a chunk", kHead + "Transfer-Encoding: chunked\r\n\r\n4\r\nWiki\r\n9\r\nped",
         typeid(ENetConnClosedGracefully), "Connection Closed Gracefully.", "Wikiped"},
        {"close before the zero chunk", kHead + "Transfer-Encoding: chunked\r\n\r\n4\r\nWiki\r\n",
         typeid(ENetConnClosedGracefully), "Connection Closed Gracefully.", "Wiki"},
        {"size that is no number",
         kHead + "Transfer-Encoding: chunked\r\n\r\nzz\r\nWiki\r\n0\r\n\r\n", typeid(ENetException),
         "Chunked reply body cannot be read.", ""},
        {"empty size line", kHead + "Transfer-Encoding: chunked\r\n\r\n\r\nWiki\r\n0\r\n\r\n",
         typeid(ENetException), "Chunked reply body cannot be read.", ""},
        {"chunk longer than its size",
         kHead + "Transfer-Encoding: chunked\r\n\r\n4\r\nWikipedia\r\n0\r\n\r\n",
         typeid(ENetException), "Chunked reply body cannot be read.", "Wiki"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server;
        server.Accept().ReceiveUntil("\r\n\r\n").Send(c.reply).Close();
        server.Start();
        TNetHTTP http;
        TMemoryStream stream;
        try {
            http.FetchToStream(LocalUrl(server.Port(), "/pic.jpg"), stream);
            ADD_FAILURE() << "no failure";
        } catch (const Exception& e) {
            EXPECT_EQ(typeid(e), c.failure) << e.Message();
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(Contents(stream), c.written);
        EXPECT_EQ(stream.Position(), static_cast<int64_t>(c.written.size()));
        EXPECT_FALSE(http.LinkIsOpen());
        EXPECT_EQ(server.Finish(), "");
    }
}

// A body may take 64 MiB. A declared length or chunk size beyond that fails before any
// of its bytes are read; a body read until the close fails once it passes the limit.
TEST(FetchBody, BodiesBeyond64MiBFail) {
    constexpr size_t limit = size_t{64} << 20;
    const std::string tooLarge = "Reply body too large (over 64 MiB).";
    struct Case {
        const char* name;
        std::string reply;
        const char* failure; // nullptr: the call succeeds
        size_t written;      // bytes in the stream afterwards, at most
        size_t pieceSlack;   // how many fewer there may be: the pieces need not end at the limit
    } cases[] = {
        {"length", kHead + "Content-Length: 67108865\r\n\r\nabc", tooLarge.c_str(), 0, 0},
        {"length near 2^31", kHead + "Content-Length: 2147483647\r\n\r\nabc", tooLarge.c_str(), 0,
         0},
        {"chunk size", kHead + "Transfer-Encoding: chunked\r\n\r\n4000001\r\nabc", tooLarge.c_str(),
         0, 0},
        {"chunk size beyond 64 bits",
         kHead + "Transfer-Encoding: chunked\r\n\r\n10000000000000000000\r\nabc", tooLarge.c_str(),
         0, 0},
        {"chunks adding up",
         kHead + "Transfer-Encoding: chunked\r\n\r\n4\r\nWiki\r\n4000000\r\nabc", tooLarge.c_str(),
         4, 0},
        {"until close", kHead + "\r\n" + std::string(limit + 1, 'x'), tooLarge.c_str(), limit,
         32768},
        {"exactly 64 MiB", kHead + "Content-Length: 67108864\r\n\r\n" + std::string(limit, 'y'),
         nullptr, limit, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server;
        // The client may give up before the server has sent everything.
        server.Accept().ReceiveUntil("\r\n\r\n").Send(c.reply).Close();
        server.Start();
        TNetHTTP http;
        TMemoryStream stream;
        try {
            http.FetchToStream(LocalUrl(server.Port(), "/pic.jpg"), stream);
            EXPECT_EQ(c.failure, nullptr);
        } catch (const Exception& e) {
            EXPECT_EQ(typeid(e), typeid(ENetException)) << e.Message();
            ASSERT_NE(c.failure, nullptr) << e.Message();
            EXPECT_EQ(e.Message(), c.failure);
            EXPECT_FALSE(http.LinkIsOpen());
        }
        const size_t size = static_cast<size_t>(stream.Size());
        EXPECT_LE(size, c.written);
        EXPECT_GE(size, c.written - c.pieceSlack);
        EXPECT_EQ(static_cast<size_t>(stream.Position()), size);
        server.Finish();
    }
}

// The limit can be set in whole MiB; its message names it.
TEST(FetchBody, TheBodyLimitCanBeSet) {
    constexpr size_t limit = size_t{1} << 20;
    struct Case {
        std::string reply;
        const char* failure; // nullptr: the call succeeds
    } cases[] = {
        {kHead + "Content-Length: 1048577\r\n\r\nabc", "Reply body too large (over 1 MiB)."},
        {kHead + "\r\n" + std::string(limit + 1, 'x'), "Reply body too large (over 1 MiB)."},
        {kHead + "\r\n" + std::string(limit, 'x'), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.substr(0, 40));
        ScriptedServer server;
        server.Accept().ReceiveUntil("\r\n\r\n").Send(c.reply).Close();
        server.Start();
        TNetHTTP http;
        EXPECT_EQ(http.MaxBodySize(), int64_t{64} << 20);
        http.SetMaxBodySize(limit);
        TMemoryStream stream;
        try {
            http.FetchToStream(LocalUrl(server.Port(), "/pic.jpg"), stream);
            EXPECT_EQ(c.failure, nullptr);
            EXPECT_EQ(static_cast<size_t>(stream.Size()), limit);
        } catch (const ENetException& e) {
            ASSERT_NE(c.failure, nullptr) << e.Message();
            EXPECT_EQ(e.Message(), c.failure);
            EXPECT_LE(static_cast<size_t>(stream.Size()), limit);
        }
        server.Finish();
    }
}
