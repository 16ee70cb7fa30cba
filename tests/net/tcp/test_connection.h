#pragma once
// A client connection for the tests: the inner operations made reachable, and the
// on-disconnect hook counted.

#include "net/tcp/tcp_client.h"

#include <cstddef>
#include <cstdint>

namespace melvanto::test {

class TestConnection : public TNetTCPClient {
public:
    using TNetTCPConnection::TakeBytes;

    int Disconnects() const { return m_disconnects; }

    void OpenTo(uint16_t port) { OpenLink("127.0.0.1", port, 0); }

    // Receives until the input buffer holds at least count bytes.
    void BufferAtLeast(size_t count) {
        while (InputBuffer().Size() < count)
            FillInputBuffer(IfClosed::Fail, -1, IfTimedOut::Fail);
    }

    // Polls (1 ms a round) until the condition holds; false if it never did.
    template <class Condition> bool PollUntil(Condition condition) {
        for (int round = 0; round < 10000 && !condition(); ++round)
            PollPeerClose();
        return condition();
    }

protected:
    void OnDisconnect() override { ++m_disconnects; }

private:
    int m_disconnects = 0;
};

} // namespace melvanto::test
