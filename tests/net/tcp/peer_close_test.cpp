#include "base/errors.h"
#include "net/tcp/test_connection.h"
#include "support/scripted_server.h"

#include <gtest/gtest.h>

using namespace melvanto;
using melvanto::test::ScriptedServer;
using melvanto::test::TestConnection;

using IfClosed = TNetTCPConnection::IfClosed;
using BufferedBytes = TNetTCPConnection::BufferedBytes;

// PollPeerClose keeps what arrives in the input buffer and notices the peer's close of
// an idle connection, closing the socket and running the hook once.
TEST(PollPeerClose, KeepsArrivingDataAndNoticesTheClose) {
    ScriptedServer server;
    server.Accept().Send("data").WaitForCue().Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());

    ASSERT_TRUE(connection.PollUntil([&] { return connection.InputBuffer().Size() == 4; }));
    EXPECT_TRUE(connection.LinkIsOpen());
    EXPECT_EQ(connection.Disconnects(), 0);

    server.Cue();
    ASSERT_TRUE(connection.PollUntil([&] { return !connection.LinkIsOpen(); }));
    EXPECT_EQ(connection.Disconnects(), 1);
    EXPECT_EQ(connection.InputBuffer().View(), "data");
    ASSERT_NE(connection.IOHandler(), nullptr);
    EXPECT_FALSE(connection.IOHandler()->Socket().IsOpen());

    // Polling a closed connection changes nothing.
    connection.PollPeerClose();
    EXPECT_EQ(connection.Disconnects(), 1);
    EXPECT_EQ(server.Finish(), "");
}

TEST(CheckPeerClose, FailsOnAClosedConnectionUnlessBufferedBytesCount) {
    ScriptedServer server;
    server.Accept().Send("xy").Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    ASSERT_TRUE(connection.PollUntil([&] { return !connection.LinkIsOpen(); }));
    ASSERT_EQ(connection.InputBuffer().View(), "xy");

    EXPECT_NO_THROW(connection.CheckPeerClose(IfClosed::Ignore, BufferedBytes::Ignore));
    EXPECT_NO_THROW(connection.CheckPeerClose(IfClosed::Fail, BufferedBytes::Count));
    try {
        connection.CheckPeerClose(IfClosed::Fail, BufferedBytes::Ignore);
        ADD_FAILURE() << "no failure";
    } catch (const ENetConnClosedGracefully& e) {
        EXPECT_EQ(e.Message(), "Connection Closed Gracefully.");
    }
    // Once the buffered bytes are taken, the close counts either way.
    EXPECT_EQ(connection.TakeBytes(2), "xy");
    EXPECT_THROW(connection.CheckPeerClose(IfClosed::Fail, BufferedBytes::Count),
                 ENetConnClosedGracefully);
    EXPECT_EQ(server.Finish(), "");
}

// Without a handler (never opened, or after CloseLink) nothing counts as closed here.
TEST(CheckPeerClose, WithoutAHandlerNothingIsClosed) {
    TestConnection connection;
    EXPECT_NO_THROW(connection.CheckPeerClose(IfClosed::Fail, BufferedBytes::Ignore));
    EXPECT_FALSE(connection.LinkIsOpen());
    EXPECT_EQ(
        connection.FillInputBuffer(IfClosed::Ignore, 1, TNetTCPConnection::IfTimedOut::Ignore), 0);
    EXPECT_NO_THROW(connection.PollPeerClose());
    EXPECT_NO_THROW(connection.CloseSocketOnly());
    EXPECT_EQ(connection.Disconnects(), 0);
}

TEST(CloseSocketOnly, ClosesTheSocketButKeepsHandlerAndBuffer) {
    ScriptedServer server;
    server.Accept().Send("abc").ReceiveUntilClose();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    connection.BufferAtLeast(3);
    connection.CloseSocketOnly();
    EXPECT_FALSE(connection.LinkIsOpen());
    ASSERT_NE(connection.IOHandler(), nullptr);
    EXPECT_EQ(connection.InputBuffer().View(), "abc");
    // The hook is for CloseLink and a close noticed by CheckPeerClose.
    EXPECT_EQ(connection.Disconnects(), 0);
    EXPECT_THROW(connection.ReceiveLine(), ENetConnClosedGracefully);
    EXPECT_EQ(server.Finish(), "");
}
