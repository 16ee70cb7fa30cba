#pragma once
// A scripted raw-socket TCP server on 127.0.0.1 for tests where the exact bytes on the
// wire matter. The test writes a script of steps, starts it, and the server plays it on
// its own thread: accept a connection, read until a marker or a count, write exact
// bytes, wait for a cue from the test, close gracefully or with a reset. Everything it
// reads is recorded per connection.
//
//     ScriptedServer server;                       // listening, port chosen by the system
//     server.Accept()
//         .ReceiveUntil("\r\n\r\n")                // the request head
//         .Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi")
//         .WaitForCue()                            // until the test calls Cue()
//         .Close();
//     server.Start();
//     ... client talks to 127.0.0.1:server.Port() ..., then server.Cue();
//     EXPECT_EQ(server.Finish(), "");              // the script ran to its end
//     EXPECT_EQ(server.Received(0), "GET / HTTP/1.1\r\n...");
//
// Every step that waits gives up after the step limit (10 s unless set) and ends the
// script with a failure that Finish() reports, so a test never hangs on its server.
// Steps that read and write work on the connection the last Accept() took. Closing a
// connection whose received bytes were not all read makes the system send a reset, so
// read the whole request before Close().

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace melvanto::test {

class ScriptedServer {
public:
    ScriptedServer();
    // Stops the script where it is (cues are no longer waited for) and closes everything.
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    uint16_t Port() const { return m_port; }

    // Script steps, to be added before Start().
    ScriptedServer& Accept();
    // Writes exactly these bytes (as many send calls as the system needs).
    ScriptedServer& Send(std::string bytes);
    // Reads until the bytes not yet consumed by earlier steps contain marker; consumes up
    // to and including it.
    ScriptedServer& ReceiveUntil(std::string marker);
    // Reads until count bytes not yet consumed are there; consumes them.
    ScriptedServer& ReceiveBytes(size_t count);
    // Reads until the client closes its sending side.
    ScriptedServer& ReceiveUntilClose();
    // Waits until the test has called Cue() once more than earlier WaitForCue steps took.
    ScriptedServer& WaitForCue();
    // Lets a test that called WaitForSignal() go on.
    ScriptedServer& Signal();
    // Shuts the sending side down and closes: the client sees a graceful close.
    ScriptedServer& Close();
    // Closes with a reset (SO_LINGER 0): the client sees "Connection reset by peer".
    ScriptedServer& Reset();

    void SetStepLimit(std::chrono::milliseconds limit) { m_stepLimit = limit; }

    // Runs the script on the server thread.
    void Start();
    void Cue();
    // Waits for the next Signal step; false when the script ended or failed first, or
    // the step limit passed.
    bool WaitForSignal();
    // Waits for the script to end; gives "" when every step succeeded, else what failed.
    std::string Finish();

    // What connection `index` (0 for the first accepted) has received so far.
    std::string Received(size_t index) const;
    size_t ConnectionCount() const;

private:
    struct Connection {
        int fd = -1;
        std::string received;
        size_t consumed = 0;
    };
    using Step = std::function<void()>;

    void run();
    void fail(const std::string& what);
    Connection& current();
    // Waits until fd is readable (or writable), bounded by the step limit and the stop flag.
    void waitFor(int fd, short events, const char* step);
    // Reads once from the current connection into its record; false when the peer closed.
    bool receiveSome(const char* step);

    int m_listenFd = -1;
    uint16_t m_port = 0;
    std::chrono::milliseconds m_stepLimit{10000};
    std::vector<Step> m_steps;
    std::thread m_thread;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Connection> m_connections;
    size_t m_cues = 0;
    size_t m_cuesTaken = 0;
    size_t m_signals = 0;
    size_t m_signalsSeen = 0;
    bool m_done = false;
    bool m_stop = false;
    std::string m_failure;
};

} // namespace melvanto::test
