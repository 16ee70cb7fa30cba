#pragma once
// Loopback ports with a known answer to a connect, for tests of connection failures.

#include <cstdint>
#include <vector>

namespace melvanto::test {

// A port on 127.0.0.1 that is bound but not listening, held for the object's lifetime:
// every connect to it is refused, and no other program can take the port meanwhile.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    uint16_t Port() const { return m_port; }

private:
    int m_fd = -1;
    uint16_t m_port = 0;
};

// A port on 127.0.0.1 whose connects never complete: it listens with a backlog of 0 and
// its accept queue is filled with connections that are never accepted, so the system
// drops further connection requests unanswered. The filling is checked on the
// listening socket itself (TCP_INFO), not guessed from timing.
class UnansweredPort {
public:
    UnansweredPort();
    ~UnansweredPort();
    UnansweredPort(const UnansweredPort&) = delete;
    UnansweredPort& operator=(const UnansweredPort&) = delete;
    uint16_t Port() const { return m_port; }

private:
    int m_listenFd = -1;
    uint16_t m_port = 0;
    std::vector<int> m_fillers;
};

} // namespace melvanto::test
