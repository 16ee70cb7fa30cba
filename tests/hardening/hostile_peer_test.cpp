// The HTTP client against peers that try to hold it or flood it: each call ends with its
// failure, and the heap never grows by anything near what the peer offers.

#include "base/errors.h"
#include "base/memory_stream.h"
#include "hardening/heap_high_water.h"
#include "hardening/hostile_peer.h"
#include "net/http/http_client.h"
#include "support/scripted_server.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <typeinfo>

using namespace melvanto;
using melvanto::testing::HeapHighWater;
using melvanto::testing::HostilePeer;

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;
#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's realloc always moves a block, so the old and the new block of a growing
// stream are both counted for a moment; glibc grows a large block in place.
constexpr std::size_t kMovingRealloc = 2;
#else
constexpr std::size_t kMovingRealloc = 1;
#endif
// The most any of these calls may add to the heap.
constexpr std::size_t kHeapLimit = 100 * kMiB * kMovingRealloc;
// The client's read limit in these tests.
constexpr int kReadLimitMs = 500;

std::string urlOf(uint16_t port) {
    return "http://127.0.0.1:" + std::to_string(port) + "/cover.jpg";
}

struct Outcome {
    std::string failureClass; // typeid name of the failure, "" when the call returned
    std::string message;
    std::size_t heapGrowth = 0;
};

Outcome fetch(uint16_t port) {
    Outcome outcome;
    HeapHighWater heap;
    {
        TNetHTTP http;
        http.SetReadTimeout(kReadLimitMs);
        TMemoryStream picture;
        try {
            http.FetchToStream(urlOf(port), picture);
        } catch (const Exception& failure) {
            outcome.failureClass = typeid(failure).name();
            outcome.message = failure.Message();
        }
    }
    outcome.heapGrowth = heap.PeakGrowth();
    return outcome;
}

std::string repeated(char c, std::size_t count) {
    return std::string(count, c);
}

struct PeerCase {
    const char* name;
    HostilePeer::Behaviour behaviour;
    std::string failureClass;
    std::string message;
    std::size_t heapLimit;
};

TEST(HostilePeerTest, EachPeerEndsTheCallWithItsFailureAndLittleMemory) {
    const std::string chunk = "8000\r\n" + repeated('c', 0x8000) + "\r\n";
    const std::string block = repeated('b', 0x10000);
    const PeerCase cases[] = {
        {"one byte a second",
         [](HostilePeer::Link& link) {
             for (char c : std::string("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nbody"))
                 if (!link.Send(std::string(1, c)) || !link.Pause(std::chrono::seconds(1))) return;
         },
         typeid(ENetReadTimeout).name(), "Read Timeout", kHeapLimit},
        {"an endless header line",
         [&block](HostilePeer::Link& link) {
             if (!link.Send("HTTP/1.1 200 OK\r\nX-Filler: ")) return;
             while (link.Send(block)) {
             }
         },
         typeid(ENetReadLnMaxLineLengthExceeded).name(), "Max line length exceeded.", 4 * kMiB},
        {"endless header lines",
         [](HostilePeer::Link& link) {
             if (!link.Send("HTTP/1.1 200 OK\r\n")) return;
             for (int i = 0;; ++i)
                 if (!link.Send("X-Filler-" + std::to_string(i) + ": " + repeated('h', 100) +
                                "\r\n"))
                     return;
         },
         typeid(ENetException).name(), "Reply head too large (over 1 MiB).", 16 * kMiB},
        {"an endless chunk stream",
         [&chunk](HostilePeer::Link& link) {
             if (!link.Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")) return;
             while (link.Send(chunk)) {
             }
         },
         typeid(ENetException).name(), "Reply body too large (over 64 MiB).", kHeapLimit},
        {"an endless body without a length",
         [&block](HostilePeer::Link& link) {
             if (!link.Send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n")) return;
             while (link.Send(block)) {
             }
         },
         typeid(ENetException).name(), "Reply body too large (over 64 MiB).", kHeapLimit},
        {"a huge chunk size with no data",
         [](HostilePeer::Link& link) {
             if (!link.Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n7fffffff\r\n"))
                 return;
             link.Pause(std::chrono::seconds(10));
         },
         typeid(ENetException).name(), "Reply body too large (over 64 MiB).", 4 * kMiB},
    };
    for (const PeerCase& peerCase : cases) {
        SCOPED_TRACE(peerCase.name);
        HostilePeer peer(peerCase.behaviour);
        const Outcome outcome = fetch(peer.Port());
        EXPECT_EQ(outcome.failureClass, peerCase.failureClass);
        EXPECT_EQ(outcome.message, peerCase.message);
        EXPECT_LT(outcome.heapGrowth, peerCase.heapLimit) << outcome.heapGrowth / kMiB << " MiB";
        EXPECT_FALSE(peer.ReachedSendLimit())
            << "the client read " << peer.BytesSent() / kMiB << " MiB without giving up";
    }
}

// Peers that play a fixed script: a length of 2^31 - 1 with no body, a reset in the middle
// of a body, a peer that accepts and never answers.
struct ScriptCase {
    const char* name;
    std::function<void(test::ScriptedServer&)> script;
    std::string failureClass;
    std::string message;
    std::size_t heapLimit;
};

TEST(HostilePeerTest, ScriptedPeersEndTheCallWithItsFailureAndLittleMemory) {
    const ScriptCase cases[] = {
        {"a length of 2^31 - 1 and no body",
         [](test::ScriptedServer& server) {
             server.Accept()
                 .ReceiveUntil("\r\n\r\n")
                 .Send("HTTP/1.1 200 OK\r\nContent-Length: 2147483647\r\n\r\n")
                 .WaitForCue()
                 .Close();
         },
         typeid(ENetException).name(), "Reply body too large (over 64 MiB).", 4 * kMiB},
        {"a reset in the middle of the body",
         [](test::ScriptedServer& server) {
             server.Accept()
                 .ReceiveUntil("\r\n\r\n")
                 .Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + repeated('r', 3000))
                 .Reset();
         },
         typeid(ENetSocketError).name(), "Socket Error # 10054\r\nConnection reset by peer.",
         kHeapLimit},
        {"accepts and never answers",
         [](test::ScriptedServer& server) {
             server.Accept().ReceiveUntil("\r\n\r\n").WaitForCue().Close();
         },
         typeid(ENetReadTimeout).name(), "Read Timeout", kHeapLimit},
    };
    for (const ScriptCase& scriptCase : cases) {
        SCOPED_TRACE(scriptCase.name);
        test::ScriptedServer server;
        scriptCase.script(server);
        server.Start();
        const Outcome outcome = fetch(server.Port());
        server.Cue();
        EXPECT_EQ(server.Finish(), "");
        EXPECT_EQ(outcome.failureClass, scriptCase.failureClass);
        EXPECT_EQ(outcome.message, scriptCase.message);
        EXPECT_LT(outcome.heapGrowth, scriptCase.heapLimit) << outcome.heapGrowth / kMiB << " MiB";
    }
}

// The measure the checks above rely on sees a block that is held for a while.
TEST(HeapHighWaterTest, SeesABlockHeldForAWhile) {
    HeapHighWater heap;
    {
        std::string block(32 * kMiB, 'x');
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(block.back(), 'x');
    }
    EXPECT_GE(heap.PeakGrowth(), 32 * kMiB);
    EXPECT_LT(heap.PeakGrowth(), 40 * kMiB);
}

} // namespace
