#include "net/tcp/tcp_connection.h"

#include "base/errors.h"
#include "net/tcp/socket_failure.h"
#include "platform/socket/socket_errors.h"

#include <algorithm>
#include <limits>

namespace melvanto {

namespace {

const char kClosedGracefully[] = "Connection Closed Gracefully.";

} // namespace

TNetTCPConnection::TNetTCPConnection() : m_receiveBuffer(RecvBufferSize) {}

// No OnDisconnect here: a derived class's hook is gone by the time this runs.
TNetTCPConnection::~TNetTCPConnection() {
    TNetTCPConnection::CloseSocketOnly();
}

void TNetTCPConnection::CheckPeerClose(IfClosed ifClosed, BufferedBytes buffered) {
    bool closed = false;
    if (m_ioHandler) {
        if (m_peerClosed) {
            if (m_ioHandler->Socket().IsOpen()) {
                CloseSocketOnly();
                OnDisconnect();
            }
            closed = true;
        } else {
            closed = !m_ioHandler->Socket().IsOpen();
        }
    }
    if (closed && ifClosed == IfClosed::Fail &&
        (m_input.Empty() || buffered == BufferedBytes::Ignore))
        throw ENetConnClosedGracefully(kClosedGracefully);
}

void TNetTCPConnection::PollPeerClose() {
    FillInputBuffer(IfClosed::Ignore, 1, IfTimedOut::Ignore);
}

bool TNetTCPConnection::LinkIsOpen() {
    CheckPeerClose(IfClosed::Ignore, BufferedBytes::Count);
    return socketIsOpen();
}

void TNetTCPConnection::CloseLink() {
    CloseSocketOnly();
    m_ioHandler.reset();
    OnDisconnect();
}

void TNetTCPConnection::CloseSocketOnly() {
    if (!m_ioHandler) return;
    m_peerClosed = true;
    Ipv4Socket& socket = m_ioHandler->Socket();
    if (socket.IsOpen()) {
        socket.ShutdownSend();
        socket.Close();
    }
}

int TNetTCPConnection::FillInputBuffer(IfClosed ifClosed, int timeoutMs, IfTimedOut ifTimedOut) {
    int wait = timeoutMs == -1 ? m_readTimeout : timeoutMs;
    if (wait <= 0) wait = DefaultReadWaitMs;

    CheckPeerClose(ifClosed, BufferedBytes::Count);
    if (!socketIsOpen()) {
        if (ifClosed == IfClosed::Fail) throw ENetNotConnected("Not Connected");
        return 0;
    }
    int received = 0;
    do {
        Ipv4Socket& socket = m_ioHandler->Socket();
        SocketResult ready = socket.WaitReadable(wait);
        if (ready.error != 0) RaiseSocketError(ready.error);
        if (ready.timedOut) {
            if (ifTimedOut == IfTimedOut::Fail) throw ENetReadTimeout("Read Timeout");
            return -1;
        }
        SocketResult got = socket.Receive(m_receiveBuffer.data(), m_receiveBuffer.size());
        if (got.error == kSocketErrorShutdown || got.error == kSocketErrorConnectionAborted) {
            CloseSocketOnly();
            if (m_input.Empty()) RaiseSocketError(got.error);
        } else if (got.error != 0) {
            RaiseSocketError(got.error);
        } else if (got.bytes == 0) {
            m_peerClosed = true;
        } else {
            m_input.Append(m_receiveBuffer.data(), got.bytes);
            received = static_cast<int>(got.bytes);
        }
        CheckPeerClose(ifClosed, BufferedBytes::Count);
    } while (received == 0 && socketIsOpen());
    return received;
}

std::string TNetTCPConnection::ReceiveLine() {
    const size_t limit = m_maxLineLength > 0 ? static_cast<size_t>(m_maxLineLength) : 0;
    size_t searchFrom = 0;
    for (;;) {
        size_t lf = m_input.Find('\n', searchFrom);
        if (lf != std::string_view::npos) {
            if (limit != 0 && lf > limit)
                throw ENetReadLnMaxLineLengthExceeded("Max line length exceeded.");
            std::string line = m_input.Take(lf + 1);
            line.pop_back();
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        if (limit != 0 && m_input.Size() > limit)
            throw ENetReadLnMaxLineLengthExceeded("Max line length exceeded.");
        searchFrom = m_input.Size();
        CheckPeerClose(IfClosed::Fail, BufferedBytes::Ignore);
        // The peer closed during this wait with part of a line buffered: an empty line now,
        // the failure on the next call.
        if (FillInputBuffer(IfClosed::Fail, -1, IfTimedOut::Fail) == 0) return {};
    }
}

void TNetTCPConnection::SendLine(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 2);
    line.append(text);
    line.append("\r\n");
    SendBytes(line, false);
}

std::string TNetTCPConnection::TakeBytes(size_t count) {
    while (m_input.Size() < count) {
        FillInputBuffer(IfClosed::Fail, -1, IfTimedOut::Fail);
        CheckPeerClose(IfClosed::Fail, BufferedBytes::Ignore);
    }
    return m_input.Take(count);
}

void TNetTCPConnection::ReceiveIntoStream(TStream& stream, int64_t count) {
    receiveIntoStream(stream, count < 0 ? 0 : count, false);
}

void TNetTCPConnection::ReceiveIntoStream(TStream& stream, UntilPeerCloseTag) {
    receiveIntoStream(stream, std::numeric_limits<int32_t>::max(), true);
}

void TNetTCPConnection::receiveIntoStream(TStream& stream, int64_t count, bool untilClose) {
    // Grows the stream ahead of the data, never by more than one step, so a declared
    // count near 2^31 costs no memory before the bytes come.
    auto growAhead = [&](int64_t remaining) {
        if (untilClose) return;
        int64_t wanted = stream.Position() + std::min(remaining, StreamGrowthStep);
        if (stream.Size() < wanted) stream.SetSize(wanted);
    };
    auto write = [&](const std::string& bytes) {
        if (!bytes.empty()) stream.Write(bytes.data(), bytes.size());
    };
    auto cutAtPosition = [&] {
        if (stream.Size() > stream.Position()) stream.SetSize(stream.Position());
    };

    try {
        int64_t remaining = count;
        growAhead(remaining);
        size_t fromBuffer = static_cast<size_t>(std::min<int64_t>(remaining, m_input.Size()));
        write(m_input.Take(fromBuffer));
        remaining -= static_cast<int64_t>(fromBuffer);

        const int64_t pieceSize = std::min<int64_t>(remaining, RecvBufferSize);
        while (remaining > 0 && LinkIsOpen()) {
            size_t piece = static_cast<size_t>(std::min(remaining, pieceSize));
            std::string bytes;
            try {
                bytes = TakeBytes(piece);
            } catch (const ENetConnClosedGracefully&) {
                if (!untilClose) throw;
                // Until close, the close is the end: what came before it is the last piece.
                write(m_input.Take(m_input.Size()));
                break;
            }
            if (stream.Size() < stream.Position() + static_cast<int64_t>(piece))
                growAhead(remaining);
            write(bytes);
            remaining -= static_cast<int64_t>(piece);
        }
    } catch (...) {
        cutAtPosition();
        throw;
    }
    cutAtPosition();
}

void TNetTCPConnection::StartWriteBatch() {
    // A batch already open keeps what it holds.
    if (!m_writeBatch) m_writeBatch.emplace();
}

void TNetTCPConnection::FlushWriteBatch() {
    if (!m_writeBatch) return;
    std::string bytes = std::move(*m_writeBatch);
    m_writeBatch.reset();
    if (!bytes.empty()) SendBytes(bytes, true);
}

void TNetTCPConnection::SendBytes(std::string_view bytes, bool sendNow) {
    if (m_writeBatch && !sendNow) {
        m_writeBatch->append(bytes);
        return;
    }
    CheckPeerClose(IfClosed::Fail, BufferedBytes::Ignore);
    if (!socketIsOpen()) throw ENetNotConnected("Not Connected");
    while (!bytes.empty()) {
        SocketResult sent = m_ioHandler->Socket().Send(bytes.data(), bytes.size());
        if (sent.error == kSocketErrorShutdown || sent.error == kSocketErrorConnectionAborted ||
            sent.error == kSocketErrorConnectionReset) {
            CloseSocketOnly();
            RaiseSocketError(sent.error);
        }
        if (sent.error != 0) RaiseSocketError(sent.error);
        if (sent.bytes == 0) {
            m_peerClosed = true;
            CheckPeerClose(IfClosed::Fail, BufferedBytes::Ignore);
        }
        bytes.remove_prefix(sent.bytes);
    }
}

} // namespace melvanto
