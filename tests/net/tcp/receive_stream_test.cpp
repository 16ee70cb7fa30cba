#include "base/errors.h"
#include "base/memory_stream.h"
#include "net/tcp/test_connection.h"
#include "support/scripted_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace melvanto;
using melvanto::test::ScriptedServer;
using melvanto::test::TestConnection;

namespace {

std::string contents(const TMemoryStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()),
                       static_cast<size_t>(stream.Size()));
}

// Bytes that differ from one position to the next, so a misplaced piece shows.
std::string pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return bytes;
}

// A memory stream that records every size it is given.
class RecordingStream : public TStream {
public:
    int64_t Size() const override { return m_stream.Size(); }
    void SetSize(int64_t size) override {
        m_sizes.push_back(size);
        m_stream.SetSize(size);
    }
    int64_t Position() const override { return m_stream.Position(); }
    void SetPosition(int64_t position) override { m_stream.SetPosition(position); }
    void Write(const void* data, size_t count) override { m_stream.Write(data, count); }
    size_t Read(void* data, size_t count) override { return m_stream.Read(data, count); }

    const std::vector<int64_t>& Sizes() const { return m_sizes; }

private:
    TMemoryStream m_stream;
    std::vector<int64_t> m_sizes;
};

} // namespace

// 10 bytes already buffered, 30 more arrive, then the peer closes: the unfinished piece
// stays in the input buffer, the stream ends after the 10.
TEST(ReceiveIntoStream, ACountedReadCutShortKeepsOnlyWholePieces) {
    ScriptedServer server;
    server.Accept()
        .Send("HEAD\n" + std::string(10, 'a'))
        .WaitForCue()
        .Send(std::string(30, 'b'))
        .Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    EXPECT_EQ(connection.ReceiveLine(), "HEAD");
    connection.BufferAtLeast(10);
    server.Cue();

    TMemoryStream stream;
    try {
        connection.ReceiveIntoStream(stream, 100);
        ADD_FAILURE() << "no failure";
    } catch (const ENetConnClosedGracefully& e) {
        EXPECT_EQ(e.Message(), "Connection Closed Gracefully.");
    }
    EXPECT_EQ(contents(stream), std::string(10, 'a'));
    EXPECT_EQ(stream.Position(), 10);
    EXPECT_EQ(connection.InputBuffer().View(), std::string(30, 'b'));
    EXPECT_EQ(server.Finish(), "");
}

// The bytes land at the stream's position; what stood after them is cut off, and bytes
// after the count stay for the next read.
TEST(ReceiveIntoStream, ACountedReadWritesAtThePositionInPieces) {
    const std::string body = pattern(100000);
    ScriptedServer server;
    server.Accept().Send(body + "next\n").WaitForCue().Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());

    TMemoryStream stream;
    const std::string old = "prefix:" + std::string(200000, '#');
    stream.Write(old.data(), old.size());
    stream.SetPosition(7);
    connection.ReceiveIntoStream(stream, static_cast<int64_t>(body.size()));
    EXPECT_EQ(stream.Position(), 7 + static_cast<int64_t>(body.size()));
    EXPECT_TRUE(contents(stream) == "prefix:" + body);
    EXPECT_EQ(connection.ReceiveLine(), "next");
    server.Cue();
    EXPECT_EQ(server.Finish(), "");
}

TEST(ReceiveIntoStream, ACountOfZeroReadsNothingAndCutsTheStream) {
    ScriptedServer server;
    server.Accept().Send("x\n").WaitForCue().Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());
    connection.BufferAtLeast(2);

    for (int64_t count : {int64_t{0}, int64_t{-5}}) {
        SCOPED_TRACE(count);
        TMemoryStream stream;
        stream.Write("abcdef", 6);
        stream.SetPosition(2);
        connection.ReceiveIntoStream(stream, count);
        EXPECT_EQ(contents(stream), "ab");
        EXPECT_EQ(connection.InputBuffer().View(), "x\n");
    }
    server.Cue();
    EXPECT_EQ(server.Finish(), "");
}

TEST(ReceiveIntoStream, ReadingUntilCloseKeepsEveryByte) {
    struct Case {
        const char* name;
        std::string buffered;
        std::string rest;
    } cases[] = {
        {"buffered bytes and many pieces", pattern(10), pattern(100003)},
        {"nothing but the close", "", ""},
        {"a last piece shorter than a receive", "", "tail"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server;
        server.Accept().Send("HEAD\n" + c.buffered).WaitForCue().Send(c.rest).Close();
        server.Start();
        TestConnection connection;
        connection.OpenTo(server.Port());
        EXPECT_EQ(connection.ReceiveLine(), "HEAD");
        connection.BufferAtLeast(c.buffered.size());
        server.Cue();

        TMemoryStream stream;
        stream.Write("old bytes", 9);
        stream.SetPosition(0);
        connection.ReceiveIntoStream(stream, UntilPeerClose);
        EXPECT_TRUE(contents(stream) == c.buffered + c.rest);
        EXPECT_EQ(stream.Position(), stream.Size());
        EXPECT_TRUE(connection.InputBuffer().Empty());
        EXPECT_FALSE(connection.LinkIsOpen());
        EXPECT_EQ(server.Finish(), "");
    }
}

// A declared count near 2^31 (or beyond) costs no memory before the bytes come: the
// stream grows ahead of the data by at most 16 MiB at a time.
TEST(ReceiveIntoStream, AHugeDeclaredCountDoesNotGrowTheStreamAtOnce) {
    for (int64_t count : {int64_t{2147483647}, int64_t{1} << 40}) {
        SCOPED_TRACE(count);
        ScriptedServer server;
        server.Accept().Send("abc").Close();
        server.Start();
        TestConnection connection;
        connection.OpenTo(server.Port());

        RecordingStream stream;
        EXPECT_THROW(connection.ReceiveIntoStream(stream, count), ENetConnClosedGracefully);
        ASSERT_FALSE(stream.Sizes().empty());
        EXPECT_EQ(*std::max_element(stream.Sizes().begin(), stream.Sizes().end()),
                  TNetTCPConnection::StreamGrowthStep);
        EXPECT_EQ(stream.Size(), 0);
        EXPECT_EQ(connection.InputBuffer().View(), "abc");
        EXPECT_EQ(server.Finish(), "");
    }
}

TEST(ReceiveIntoStream, ALargeCountGrowsTheStreamStepByStep) {
    const int64_t step = TNetTCPConnection::StreamGrowthStep;
    const std::string body = pattern(static_cast<size_t>(step + step / 4));
    ScriptedServer server;
    server.Accept().Send(body).WaitForCue().Close();
    server.Start();
    TestConnection connection;
    connection.OpenTo(server.Port());

    RecordingStream stream;
    connection.ReceiveIntoStream(stream, static_cast<int64_t>(body.size()));
    EXPECT_EQ(stream.Sizes(), (std::vector<int64_t>{step, static_cast<int64_t>(body.size())}));
    EXPECT_EQ(stream.Size(), static_cast<int64_t>(body.size()));
    stream.SetPosition(0);
    std::string back(body.size(), '\0');
    EXPECT_EQ(stream.Read(back.data(), back.size()), body.size());
    EXPECT_TRUE(back == body);
    server.Cue();
    EXPECT_EQ(server.Finish(), "");
}

// A failure in the middle still leaves the stream ending at its position, without the
// room grown for bytes that never came.
TEST(ReceiveIntoStream, AReadTimeoutLeavesTheStreamCutAtItsPosition) {
    ScriptedServer server;
    server.Accept().Send("12345").WaitForCue().Close();
    server.Start();
    TestConnection connection;
    connection.SetReadTimeout(30);
    connection.OpenTo(server.Port());
    connection.BufferAtLeast(5);

    TMemoryStream stream;
    stream.Write("keep", 4);
    EXPECT_THROW(connection.ReceiveIntoStream(stream, 10), ENetReadTimeout);
    EXPECT_EQ(contents(stream), "keep12345");
    EXPECT_EQ(stream.Position(), 9);

    EXPECT_THROW(connection.ReceiveIntoStream(stream, UntilPeerClose), ENetReadTimeout);
    EXPECT_EQ(contents(stream), "keep12345");
    server.Cue();
    EXPECT_EQ(server.Finish(), "");
}
