#include "platform/socket/ipv4_socket.h"

#include "platform/socket/socket_errors.h"
#include "support/loopback_ports.h"
#include "support/scripted_server.h"
#include "support/unresolvable_host.h"

#include <gtest/gtest.h>

#include <string>

using namespace melvanto;
using melvanto::test::RefusingPort;
using melvanto::test::ScriptedServer;
using melvanto::test::UnansweredPort;

namespace {

const Ipv4Address kLoopback{{127, 0, 0, 1}};

// An open, bound socket connected to the port, or a test failure.
void connectTo(Ipv4Socket& socket, uint16_t port) {
    ASSERT_EQ(socket.Open(), 0);
    ASSERT_EQ(socket.BindAny(), 0);
    SocketResult connected = socket.Connect(kLoopback, port, 5000);
    ASSERT_EQ(connected.error, 0);
    ASSERT_FALSE(connected.timedOut);
}

} // namespace

TEST(Ipv4Address, WritesDottedDecimalText) {
    EXPECT_EQ(kLoopback.ToString(), "127.0.0.1");
    EXPECT_EQ((Ipv4Address{{255, 0, 10, 99}}).ToString(), "255.0.10.99");
}

TEST(LookUpIpv4, FindsLocalhostAndTellsAnUnknownHost) {
    Ipv4LookupResult local = LookUpIpv4("localhost");
    EXPECT_EQ(local.error, 0);
    EXPECT_EQ(local.address.octets[0], 127);

    Ipv4LookupResult unknown = LookUpIpv4(melvanto::test::UnresolvableHost());
    EXPECT_EQ(unknown.error, kSocketErrorHostNotFound);
}

TEST(Ipv4Socket, ConnectsSendsAndReceivesOverLoopback) {
    ScriptedServer server;
    server.Accept().ReceiveUntil("ping\n").Send("pong\n").Close();
    server.Start();

    Ipv4Socket socket;
    EXPECT_FALSE(socket.IsOpen());
    ASSERT_NO_FATAL_FAILURE(connectTo(socket, server.Port()));
    EXPECT_TRUE(socket.IsOpen());
    EXPECT_NE(socket.LocalPort(), 0);

    const uint64_t sendsBefore = SendCallCountForTesting();
    SocketResult sent = socket.Send("ping\n", 5);
    EXPECT_EQ(sent.error, 0);
    EXPECT_EQ(sent.bytes, 5u);
    EXPECT_EQ(SendCallCountForTesting() - sendsBefore, 1u);

    std::string received;
    char buffer[64];
    for (;;) {
        SocketResult ready = socket.WaitReadable(5000);
        ASSERT_EQ(ready.error, 0);
        ASSERT_FALSE(ready.timedOut);
        SocketResult got = socket.Receive(buffer, sizeof buffer);
        ASSERT_EQ(got.error, 0);
        if (got.bytes == 0) break; // the server closed
        received.append(buffer, got.bytes);
    }
    EXPECT_EQ(received, "pong\n");
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.Received(0), "ping\n");

    socket.ShutdownSend();
    socket.Close();
    EXPECT_FALSE(socket.IsOpen());
    EXPECT_EQ(socket.LocalPort(), 0);
}

TEST(Ipv4Socket, WaitReadableEndsByItsLimitWhenNothingComes) {
    ScriptedServer server;
    server.Accept().WaitForCue().Close();
    server.Start();

    Ipv4Socket socket;
    ASSERT_NO_FATAL_FAILURE(connectTo(socket, server.Port()));
    SocketResult ready = socket.WaitReadable(20);
    EXPECT_EQ(ready.error, 0);
    EXPECT_TRUE(ready.timedOut);
    server.Cue();
    EXPECT_EQ(server.Finish(), "");
}

TEST(Ipv4Socket, ARefusedConnectGivesConnectionRefused) {
    RefusingPort refusing;
    Ipv4Socket socket;
    ASSERT_EQ(socket.Open(), 0);
    SocketResult connected = socket.Connect(kLoopback, refusing.Port(), 5000);
    EXPECT_EQ(connected.error, 10061);
    EXPECT_FALSE(connected.timedOut);
}

TEST(Ipv4Socket, AConnectThatIsNeverAnsweredEndsByItsLimit) {
    UnansweredPort unanswered;
    Ipv4Socket socket;
    ASSERT_EQ(socket.Open(), 0);
    SocketResult connected = socket.Connect(kLoopback, unanswered.Port(), 100);
    EXPECT_TRUE(connected.timedOut);
    EXPECT_EQ(connected.error, 0);
}

// Writing to a peer that reset the connection fails with a number; the process gets no
// SIGPIPE (which would end this test program).
TEST(Ipv4Socket, SendingToAResetPeerFailsWithoutASignal) {
    ScriptedServer server;
    // The reset waits for the cue: one before the connect has completed would fail
    // the connect itself.
    server.Accept().WaitForCue().Reset();
    server.Start();

    Ipv4Socket socket;
    ASSERT_NO_FATAL_FAILURE(connectTo(socket, server.Port()));
    server.Cue();
    ASSERT_EQ(server.Finish(), "");
    ASSERT_FALSE(socket.WaitReadable(5000).timedOut);
    char buffer[8];
    EXPECT_EQ(socket.Receive(buffer, sizeof buffer).error, 10054);
    SocketResult sent = socket.Send("x", 1);
    EXPECT_EQ(sent.error, 10053);
}

TEST(Ipv4Socket, CallsWithoutASocketFailWithBadFileNumber) {
    Ipv4Socket socket;
    char buffer[4];
    EXPECT_EQ(socket.Receive(buffer, sizeof buffer).error, 10009);
    EXPECT_EQ(socket.Send("x", 1).error, 10009);
    EXPECT_EQ(socket.WaitReadable(0).error, 10009);
}
