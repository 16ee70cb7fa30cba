#include "base/errors.h"
#include "net/tcp/host_address.h"
#include "net/tcp/test_connection.h"
#include "support/loopback_ports.h"
#include "support/scripted_server.h"
#include "support/unresolvable_host.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace melvanto;
using melvanto::test::RefusingPort;
using melvanto::test::ScriptedServer;
using melvanto::test::TestConnection;
using melvanto::test::UnansweredPort;

TEST(HostAddress, LocalhostAndDottedAddressesNeedNoLookUp) {
    struct Case {
        const char* host;
        std::optional<Ipv4Address> address;
    } cases[] = {
        {"LOCALHOST", Ipv4Address{{127, 0, 0, 1}}},
        {"localhost", Ipv4Address{{127, 0, 0, 1}}},
        {"LocalHost", Ipv4Address{{127, 0, 0, 1}}},
        {"127.0.0.1", Ipv4Address{{127, 0, 0, 1}}},
        {"10.20.30.40", Ipv4Address{{10, 20, 30, 40}}},
        {"255.255.255.255", Ipv4Address{{255, 255, 255, 255}}},
        {"0.0.0.0", Ipv4Address{{0, 0, 0, 0}}},
        {"127.000.0.001", Ipv4Address{{127, 0, 0, 1}}},
        // Anything else is a name to look up.
        {"1.2.3.4.5", std::nullopt},
        {"256.1.1.1", std::nullopt},
        {"1.2.3.256", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1..2.3", std::nullopt},
        {"1.2.3.", std::nullopt},
        {" 1.2.3.4", std::nullopt},
        {"+1.2.3.4", std::nullopt},
        {"0x7f.0.0.1", std::nullopt},
        {"localhost.", std::nullopt},
        {"example.com", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host);
        EXPECT_EQ(HostAddressWithoutLookUp(c.host), c.address);
    }
}

TEST(OpenLink, ConnectsToLocalhostAndDottedAddresses) {
    for (const char* host : {"LOCALHOST", "localhost", "127.0.0.1", "127.000.000.001"}) {
        SCOPED_TRACE(host);
        ScriptedServer server;
        server.Accept().Send("hello\n").ReceiveUntilClose();
        server.Start();
        TestConnection connection;
        EXPECT_FALSE(connection.LinkIsOpen());
        EXPECT_EQ(connection.IOHandler(), nullptr);
        connection.OpenLink(host, server.Port(), 0);
        EXPECT_TRUE(connection.LinkIsOpen());
        EXPECT_EQ(connection.Host(), host);
        EXPECT_EQ(connection.Port(), server.Port());
        ASSERT_NE(connection.IOHandler(), nullptr);
        EXPECT_EQ(connection.IOHandler()->PeerIP(), "127.0.0.1");
        EXPECT_EQ(connection.IOHandler()->PeerPort(), server.Port());
        EXPECT_NE(connection.IOHandler()->Socket().LocalPort(), 0);
        EXPECT_EQ(connection.ReceiveLine(), "hello");
        connection.CloseLink();
        EXPECT_EQ(server.Finish(), "");
    }
}

namespace {

// Opens and expects ENetSocketError with the number and message; the socket is closed.
void expectSocketError(TestConnection& connection, const std::string& host, int port, int timeoutMs,
                       int number, const std::string& message) {
    try {
        connection.OpenLink(host, port, timeoutMs);
        ADD_FAILURE() << "no failure";
    } catch (const ENetSocketError& e) {
        EXPECT_EQ(e.ErrorCode(), number);
        EXPECT_EQ(e.Message(), message);
    }
    EXPECT_FALSE(connection.LinkIsOpen());
}

} // namespace

TEST(OpenLink, AnUnresolvableHostFailsWithHostNotFound) {
    TestConnection connection;
    expectSocketError(connection, melvanto::test::UnresolvableHost(), 80, 0, 11001,
                      "Socket Error # 11001\r\nHost not found.");
}

TEST(OpenLink, ARefusedPortFailsWithConnectionRefused) {
    RefusingPort refusing;
    TestConnection connection;
    expectSocketError(connection, "127.0.0.1", refusing.Port(), 0, 10061,
                      "Socket Error # 10061\r\nConnection refused.");
    expectSocketError(connection, "127.0.0.1", refusing.Port(), -1, 10061,
                      "Socket Error # 10061\r\nConnection refused.");
    // With a time-out of its own, the failed attempt is told as a connect failure.
    try {
        connection.OpenLink("127.0.0.1", refusing.Port(), 2000);
        ADD_FAILURE() << "no failure";
    } catch (const ENetConnectException& e) {
        EXPECT_EQ(e.Message(), "Socket Error # 10061\r\nConnection refused.");
    }
    EXPECT_FALSE(connection.LinkIsOpen());
}

// A port outside 0..65535 would otherwise wrap round to some other port.
TEST(OpenLink, APortOutsideTheRangeFails) {
    TestConnection connection;
    for (int port : {65536, 65536 + 80, -1}) {
        SCOPED_TRACE(port);
        expectSocketError(connection, "127.0.0.1", port, 0, 10049,
                          "Socket Error # 10049\r\nCannot assign requested address.");
    }
}

TEST(OpenLink, AConnectThatIsNotAnsweredTimesOut) {
    UnansweredPort unanswered;
    TestConnection connection;
    EXPECT_EQ(connection.ConnectTimeout(), 15000);
    connection.SetConnectTimeout(100);
    for (int timeoutMs : {0, 100}) {
        SCOPED_TRACE(timeoutMs);
        try {
            connection.OpenLink("127.0.0.1", unanswered.Port(), timeoutMs);
            ADD_FAILURE() << "no failure";
        } catch (const ENetConnectTimeout& e) {
            EXPECT_EQ(e.Message(), "Connect timed out.");
        }
        EXPECT_FALSE(connection.LinkIsOpen());
    }
    connection.SetConnectTimeout(0);
    EXPECT_EQ(connection.ConnectTimeout(), 15000);
}

TEST(OpenLink, AnOpenConnectionCannotBeOpenedAgain) {
    ScriptedServer server;
    server.Accept().ReceiveUntilClose();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    try {
        connection.OpenTo(server.Port());
        ADD_FAILURE() << "no failure";
    } catch (const ENetAlreadyConnected& e) {
        EXPECT_EQ(e.Message(), "Already connected.");
    }
    EXPECT_TRUE(connection.LinkIsOpen());
    connection.CloseLink();
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.ConnectionCount(), 1u);
}

// Closing drops the handler and runs the hook; reading or sending then fails with "Not
// Connected"; opening again starts with an empty input buffer.
TEST(OpenLink, ACloseThenAReopenStartsAfresh) {
    ScriptedServer server;
    server.Accept()
        .Send("left\nover")
        .ReceiveUntilClose()
        .Accept()
        .Send("fresh\n")
        .ReceiveUntilClose();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    EXPECT_EQ(connection.ReceiveLine(), "left");
    connection.BufferAtLeast(4);

    connection.CloseLink();
    EXPECT_EQ(connection.Disconnects(), 1);
    EXPECT_EQ(connection.IOHandler(), nullptr);
    EXPECT_FALSE(connection.LinkIsOpen());
    EXPECT_EQ(connection.InputBuffer().View(), "over");
    connection.CloseLink();
    EXPECT_EQ(connection.Disconnects(), 2);
    try {
        connection.ReceiveLine();
        ADD_FAILURE() << "no failure";
    } catch (const ENetNotConnected& e) {
        EXPECT_EQ(e.Message(), "Not Connected");
    }
    EXPECT_THROW(connection.SendLine("x"), ENetNotConnected);

    connection.OpenTo(server.Port());
    EXPECT_EQ(connection.ReceiveLine(), "fresh");
    connection.CloseLink();
    EXPECT_EQ(server.Finish(), "");
    EXPECT_EQ(server.ConnectionCount(), 2u);
}
