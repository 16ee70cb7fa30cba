#pragma once
// A blocking TCP connection: an input buffer from which lines and counted runs of bytes
// are taken, a write batch that sends a whole request head at once, noticing a close by
// the peer, and closing. Opening is added by TNetTCPClient.
//
// No wait is without end: a read that sees no data fails with "Read Timeout" after
// ReadTimeout milliseconds, or after 30 s when ReadTimeout is 0.

#include "base/memory_stream.h"
#include "net/tcp/io_handler_socket.h"
#include "net/tcp/managed_buffer.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace melvanto {

// Passed to ReceiveIntoStream to read until the peer closes instead of a count.
struct UntilPeerCloseTag {};
inline constexpr UntilPeerCloseTag UntilPeerClose{};

class TNetTCPConnection {
public:
    static constexpr size_t RecvBufferSize = 32768;
    static constexpr int DefaultMaxLineLength = 16384;
    // How long a read waits for data when ReadTimeout is 0.
    static constexpr int DefaultReadWaitMs = 30000;
    // A counted read grows the stream ahead of the data by at most this much at a time.
    static constexpr int64_t StreamGrowthStep = int64_t{16} << 20;

    enum class IfClosed { Ignore, Fail };
    enum class BufferedBytes { Count, Ignore };
    enum class IfTimedOut { Ignore, Fail };

    TNetTCPConnection();
    virtual ~TNetTCPConnection();
    TNetTCPConnection(const TNetTCPConnection&) = delete;
    TNetTCPConnection& operator=(const TNetTCPConnection&) = delete;

    // Closes the socket (and runs OnDisconnect) once the peer has been seen closing. With
    // IfClosed::Fail a closed connection fails with "Connection Closed Gracefully.", unless
    // bytes are still buffered and they count.
    virtual void CheckPeerClose(IfClosed ifClosed, BufferedBytes buffered);
    // Waits up to 1 ms for data or the peer's close; data stays in the input buffer.
    virtual void PollPeerClose();
    // True when a socket is open and the peer has not been seen closing.
    virtual bool LinkIsOpen();
    // Closes the socket and drops the socket handler, then runs OnDisconnect. Never
    // fails, also on a closed connection.
    virtual void CloseLink();
    // Shuts the sending side down and closes the socket; the input buffer keeps its bytes
    // and the handler stays.
    virtual void CloseSocketOnly();
    // Receives once into the input buffer, waiting at most timeoutMs (-1: ReadTimeout).
    // Gives the number of bytes received: 0 when the peer closed or no socket is open,
    // -1 when the time ran out and that is not a failure.
    virtual int FillInputBuffer(IfClosed ifClosed, int timeoutMs, IfTimedOut ifTimedOut);
    // One line without its line end (LF or CR LF). A line longer than MaxLineLength fails
    // with "Max line length exceeded.". When the peer closes while part of a line is
    // buffered, the result is an empty line and the next call fails.
    virtual std::string ReceiveLine();
    virtual void SendLine(std::string_view text);

    // Writes count bytes into the stream at its position. The stream ends at its position
    // afterwards, also after a failure; a close by the peer leaves an unfinished piece in
    // the input buffer and fails with "Connection Closed Gracefully.".
    void ReceiveIntoStream(TStream& stream, int64_t count);
    // Writes everything until the peer closes (at most 2^31 - 1 bytes) into the stream.
    void ReceiveIntoStream(TStream& stream, UntilPeerCloseTag);

    // Collects the lines sent from here on, and sends them together in one send.
    void StartWriteBatch();
    void FlushWriteBatch();

    int ReadTimeout() const { return m_readTimeout; }
    void SetReadTimeout(int milliseconds) { m_readTimeout = milliseconds; }
    // 0 means no limit.
    int MaxLineLength() const { return m_maxLineLength; }
    void SetMaxLineLength(int length) { m_maxLineLength = length; }

    const TNetManagedBuffer& InputBuffer() const { return m_input; }
    // The socket handler, present from OpenLink to CloseLink.
    const TNetIOHandlerSocket* IOHandler() const { return m_ioHandler.get(); }

protected:
    // Runs whenever the connection closes through CloseLink or CheckPeerClose.
    virtual void OnDisconnect() {}

    // Waits until the input buffer holds count bytes and takes them; a close by the peer
    // fails even when some are buffered.
    std::string TakeBytes(size_t count);
    // Adds the bytes to an open write batch, or (sendNow, or no batch) sends them all.
    void SendBytes(std::string_view bytes, bool sendNow);

    bool socketIsOpen() const { return m_ioHandler && m_ioHandler->Socket().IsOpen(); }

    std::unique_ptr<TNetIOHandlerSocket> m_ioHandler;
    TNetManagedBuffer m_input;
    bool m_peerClosed = false;

private:
    void receiveIntoStream(TStream& stream, int64_t count, bool untilClose);

    std::vector<char> m_receiveBuffer;
    std::optional<std::string> m_writeBatch;
    int m_readTimeout = 0;
    int m_maxLineLength = DefaultMaxLineLength;
};

} // namespace melvanto
