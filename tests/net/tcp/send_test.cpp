#include "base/errors.h"
#include "net/tcp/test_connection.h"
#include "platform/socket/ipv4_socket.h"
#include "support/scripted_server.h"

#include <gtest/gtest.h>

#include <string>

using namespace melvanto;
using melvanto::test::ScriptedServer;
using melvanto::test::TestConnection;

namespace {

const char kHead[] = "GET /pic.jpg HTTP/1.1\r\nHost: h\r\nAccept: text/html, */*\r\n\r\n";

} // namespace

// The send calls are counted in the socket layer, so the test does not depend on how
// the bytes happen to be grouped on their way to the server.
TEST(WriteBatch, TheLinesOfABatchLeaveInOneSend) {
    ScriptedServer server;
    server.Accept().ReceiveUntil("\r\n\r\n").ReceiveUntil("\r\n\r\n").Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());

    uint64_t before = SendCallCountForTesting();
    connection.StartWriteBatch();
    connection.SendLine("GET /pic.jpg HTTP/1.1");
    connection.SendLine("Host: h");
    connection.SendLine("Accept: text/html, */*");
    connection.SendLine("");
    EXPECT_EQ(SendCallCountForTesting(), before);
    connection.FlushWriteBatch();
    EXPECT_EQ(SendCallCountForTesting() - before, 1u);

    // Without a batch every line is a send of its own.
    before = SendCallCountForTesting();
    connection.SendLine("GET /pic.jpg HTTP/1.1");
    connection.SendLine("Host: h");
    connection.SendLine("Accept: text/html, */*");
    connection.SendLine("");
    EXPECT_EQ(SendCallCountForTesting() - before, 4u);

    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.Received(0), std::string(kHead) + kHead);
}

TEST(WriteBatch, AnEmptyBatchSendsNothing) {
    ScriptedServer server;
    server.Accept().ReceiveUntil("after\r\n").Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    const uint64_t before = SendCallCountForTesting();
    connection.StartWriteBatch();
    connection.FlushWriteBatch();
    connection.FlushWriteBatch();
    EXPECT_EQ(SendCallCountForTesting(), before);
    connection.SendLine("after");
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.Received(0), "after\r\n");
}

// A second StartWriteBatch keeps what the open batch holds.
TEST(WriteBatch, StartingAgainKeepsTheCollectedLines) {
    ScriptedServer server;
    server.Accept().ReceiveUntil("two\r\n").Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    connection.StartWriteBatch();
    connection.SendLine("one");
    connection.StartWriteBatch();
    connection.SendLine("two");
    connection.FlushWriteBatch();
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.Received(0), "one\r\ntwo\r\n");
}

TEST(WriteBatch, AFailedFlushDropsTheBatch) {
    ScriptedServer server;
    server.Accept().ReceiveUntilClose();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    connection.CloseLink();

    connection.StartWriteBatch();
    connection.SendLine("lost");
    try {
        connection.FlushWriteBatch();
        ADD_FAILURE() << "no failure";
    } catch (const ENetNotConnected& e) {
        EXPECT_EQ(e.Message(), "Not Connected");
    }
    // The batch is gone: flushing again has nothing to send, and a line goes out (and
    // fails) at once.
    EXPECT_NO_THROW(connection.FlushWriteBatch());
    EXPECT_THROW(connection.SendLine("direct"), ENetNotConnected);
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.Received(0), "");
}

// A reset by the peer fails the receive with 10054; a send after it fails with 10053
// and closes the socket; the process is never killed by SIGPIPE.
TEST(SendLine, APeerThatResetFailsTheSendWithASocketError) {
    ScriptedServer server;
    // The reset waits for the cue: one before the connect has completed would fail
    // the connect itself.
    server.Accept().WaitForCue().Reset();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    server.Cue();
    ASSERT_EQ(server.Finish(), "");

    try {
        connection.FillInputBuffer(TNetTCPConnection::IfClosed::Fail, -1,
                                   TNetTCPConnection::IfTimedOut::Fail);
        ADD_FAILURE() << "no failure";
    } catch (const ENetSocketError& e) {
        EXPECT_EQ(e.ErrorCode(), 10054);
        EXPECT_EQ(e.Message(), "Socket Error # 10054\r\nConnection reset by peer.");
    }
    try {
        connection.SendLine("GET / HTTP/1.1");
        ADD_FAILURE() << "no failure";
    } catch (const ENetSocketError& e) {
        EXPECT_EQ(e.ErrorCode(), 10053);
        EXPECT_EQ(e.Message(), "Socket Error # 10053\r\nSoftware caused connection abort.");
    }
    EXPECT_FALSE(connection.LinkIsOpen());
    EXPECT_THROW(connection.SendLine("again"), ENetConnClosedGracefully);
}

TEST(TakeBytes, WaitsForTheCountAndFailsOnAClose) {
    ScriptedServer server;
    server.Accept().Send("12").WaitForCue().Send("345").Send("67").Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    connection.BufferAtLeast(2);
    server.Cue();
    EXPECT_EQ(connection.TakeBytes(4), "1234");
    // Only "567" came before the close: asking for five fails and keeps them.
    EXPECT_THROW(connection.TakeBytes(5), ENetConnClosedGracefully);
    EXPECT_EQ(connection.InputBuffer().View(), "567");
    EXPECT_EQ(connection.TakeBytes(3), "567");
    EXPECT_EQ(server.Finish(), "");
}
