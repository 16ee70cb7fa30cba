#include "base/errors.h"
#include "net/tcp/test_connection.h"
#include "support/scripted_server.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace melvanto;
using melvanto::test::ScriptedServer;
using melvanto::test::TestConnection;

TEST(ReceiveLine, LinesEndInLfOrCrLf) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        int maxLineLength;
    } cases[] = {
        {"both line ends", "one\r\ntwo\nthree\r\n", {"one", "two", "three"}, 16384},
        {"a CR inside a line stays", "a\rb\r\n\r\n", {"a\rb", ""}, 16384},
        {"only the CR before the LF goes", "\r\r\n\n", {"\r", ""}, 16384},
        {"16384 characters before a bare LF",
         std::string(16384, 'x') + "\n",
         {std::string(16384, 'x')},
         16384},
        {"16383 characters before CR LF",
         std::string(16383, 'y') + "\r\n",
         {std::string(16383, 'y')},
         16384},
        {"no limit, lines longer than a receive",
         std::string(40000, 'z') + "\n" + "end\n",
         {std::string(40000, 'z'), "end"},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server;
        server.Accept().Send(c.bytes).WaitForCue().Close();
        server.Start();
        TestConnection connection;
        EXPECT_EQ(connection.MaxLineLength(), 16384);
        connection.SetMaxLineLength(c.maxLineLength);
        connection.OpenTo(server.Port());
        for (const std::string& line : c.lines)
            EXPECT_EQ(connection.ReceiveLine(), line);
        EXPECT_TRUE(connection.InputBuffer().Empty());
        server.Cue();
        EXPECT_EQ(server.Finish(), "");
    }
}

TEST(ReceiveLine, ALineOverTheLimitFailsAndStaysBuffered) {
    struct Case {
        const char* name;
        std::string bytes;
        int maxLineLength;
    } cases[] = {
        {"16384 characters before CR LF", std::string(16384, 'x') + "\r\n", 16384},
        {"16385 characters before LF", std::string(16385, 'x') + "\n", 16384},
        {"16385 characters and no LF yet", std::string(16385, 'x'), 16384},
        {"a small limit", "abcdef\n", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server;
        server.Accept().Send(c.bytes).WaitForCue().Close();
        server.Start();
        TestConnection connection;
        connection.SetMaxLineLength(c.maxLineLength);
        connection.OpenTo(server.Port());
        try {
            connection.ReceiveLine();
            ADD_FAILURE() << "no failure";
        } catch (const ENetReadLnMaxLineLengthExceeded& e) {
            EXPECT_EQ(e.Message(), "Max line length exceeded.");
        }
        EXPECT_GT(connection.InputBuffer().Size(), static_cast<size_t>(c.maxLineLength));
        EXPECT_EQ(connection.InputBuffer().View(),
                  std::string_view(c.bytes).substr(0, connection.InputBuffer().Size()));
        server.Cue();
        EXPECT_EQ(server.Finish(), "");
    }
}

// The peer closes right after part of a line: the waiting call gives an empty line and
// keeps the part; the next call fails, as does every one after it.
TEST(ReceiveLine, APartialLineAtCloseGivesAnEmptyLineThenTheFailure) {
    ScriptedServer server;
    server.Accept().Send("abc").Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    EXPECT_EQ(connection.ReceiveLine(), "");
    EXPECT_EQ(connection.InputBuffer().View(), "abc");
    EXPECT_EQ(connection.Disconnects(), 1);
    for (int call = 0; call < 2; ++call) {
        try {
            connection.ReceiveLine();
            ADD_FAILURE() << "no failure";
        } catch (const ENetConnClosedGracefully& e) {
            EXPECT_EQ(e.Message(), "Connection Closed Gracefully.");
        }
    }
    EXPECT_EQ(connection.InputBuffer().View(), "abc");
    EXPECT_FALSE(connection.LinkIsOpen());
    EXPECT_EQ(server.Finish(), "");
}

TEST(ReceiveLine, ACloseWithNothingBufferedFailsAtOnce) {
    ScriptedServer server;
    server.Accept().Send("x\n").Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    EXPECT_EQ(connection.ReceiveLine(), "x");
    EXPECT_THROW(connection.ReceiveLine(), ENetConnClosedGracefully);
    EXPECT_EQ(connection.Disconnects(), 1);
    EXPECT_EQ(server.Finish(), "");
}

// Whole lines that arrived before the close can still be taken; more cannot.
TEST(ReceiveLine, LinesBufferedBeforeTheCloseCanStillBeTaken) {
    ScriptedServer server;
    server.Accept().Send("a\nb\r\nc").Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    while (connection.LinkIsOpen())
        connection.FillInputBuffer(TNetTCPConnection::IfClosed::Ignore, -1,
                                   TNetTCPConnection::IfTimedOut::Fail);
    EXPECT_EQ(connection.ReceiveLine(), "a");
    EXPECT_EQ(connection.ReceiveLine(), "b");
    EXPECT_THROW(connection.ReceiveLine(), ENetConnClosedGracefully);
    EXPECT_EQ(connection.InputBuffer().View(), "c");
    EXPECT_EQ(server.Finish(), "");
}

TEST(ReceiveLine, NoDataWithinTheReadTimeoutFails) {
    ScriptedServer server;
    server.Accept().Send("par").WaitForCue().Send("t\n").WaitForCue().Close();
    server.Start();
    TestConnection connection;
    EXPECT_EQ(connection.ReadTimeout(), 0);
    connection.SetReadTimeout(30);
    connection.OpenTo(server.Port());
    try {
        connection.ReceiveLine();
        ADD_FAILURE() << "no failure";
    } catch (const ENetReadTimeout& e) {
        EXPECT_EQ(e.Message(), "Read Timeout");
    }
    // The part already received waits for the rest of its line.
    EXPECT_EQ(connection.InputBuffer().View(), "par");
    EXPECT_TRUE(connection.LinkIsOpen());
    server.Cue();
    connection.SetReadTimeout(0);
    EXPECT_EQ(connection.ReceiveLine(), "part");
    server.Cue();
    EXPECT_EQ(server.Finish(), "");
}
