#pragma once
// A real HTTP server for tests, on 127.0.0.1 and a port the system picks, serving scripted
// replies and recording every request's target. Link the test with
// melvanto_test_http_server.
//
//   LoopbackHttpServer server;                      // listening once constructed
//   server.Reply("/info/suggestion", {200, R"({"data":{"song":[]}})"});
//   server.Queue("/data/music/fmlink", {200, R"({"errorCode":22005})"});
//   ... point the code under test at server.Host() ("127.0.0.1:<port>") ...
//   EXPECT_EQ(server.Targets(), (std::vector<std::string>{"/info/suggestion?word=a&..."}));
//
// A GET is answered by the path alone (the query plays no part): first the replies
// queued for the path with Queue(), one each, in order; then the reply set with Reply();
// otherwise 404 with a small HTML page. Targets() gives the request targets exactly as
// they came on the request line (path and query, still percent-encoded), in arrival order.
// The destructor stops the server and waits for its threads.

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace melvanto::test {

class LoopbackHttpServer {
public:
    struct Answer {
        int status = 200;
        std::string body;
        std::string contentType = "application/json; charset=utf-8";
        // Further response headers, e.g. {"Location", "/elsewhere"} with a 302.
        std::vector<std::pair<std::string, std::string>> headers = {};
    };

    LoopbackHttpServer() {
        m_server.set_keep_alive_timeout(1);
        m_server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            answer(request, response);
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        if (m_port <= 0) throw std::runtime_error("LoopbackHttpServer: cannot bind 127.0.0.1");
        m_thread = std::thread([this] {
            m_server.listen_after_bind();
            m_loopEnded = true;
        });
        // stop() only ends a loop that has started: wait for it before handing out the server.
        while (!m_server.is_running() && !m_loopEnded)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    ~LoopbackHttpServer() {
        m_server.stop();
        m_thread.join();
    }

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int Port() const { return m_port; }
    // "127.0.0.1:<port>": what goes where the code expects a host name.
    std::string Host() const { return "127.0.0.1:" + std::to_string(m_port); }
    // "http://127.0.0.1:<port>" followed by the target.
    std::string Url(std::string_view target) const {
        return "http://" + Host() + std::string(target);
    }

    // The reply for every GET of the path (after the queued ones).
    void Reply(const std::string& path, Answer answer) {
        std::lock_guard lock(m_mutex);
        m_replies[path] = std::move(answer);
    }
    // A reply for one GET of the path; several are used in the order queued.
    void Queue(const std::string& path, Answer answer) {
        std::lock_guard lock(m_mutex);
        m_queued[path].push_back(std::move(answer));
    }

    std::vector<std::string> Targets() const {
        std::lock_guard lock(m_mutex);
        return m_targets;
    }
    void ClearTargets() {
        std::lock_guard lock(m_mutex);
        m_targets.clear();
    }

private:
    void answer(const httplib::Request& request, httplib::Response& response) {
        Answer chosen{404,
                      "<html><head><title>404 Not Found</title></head>"
                      "<body><h1>Not Found</h1></body></html>",
                      "text/html"};
        {
            std::lock_guard lock(m_mutex);
            m_targets.push_back(request.target);
            auto queued = m_queued.find(request.path);
            if (queued != m_queued.end() && !queued->second.empty()) {
                chosen = std::move(queued->second.front());
                queued->second.pop_front();
            } else if (auto reply = m_replies.find(request.path); reply != m_replies.end()) {
                chosen = reply->second;
            }
        }
        response.status = chosen.status;
        for (const auto& [name, value] : chosen.headers)
            response.set_header(name, value);
        response.set_content(chosen.body, chosen.contentType);
    }

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_loopEnded{false};
    mutable std::mutex m_mutex;
    std::map<std::string, Answer> m_replies;
    std::map<std::string, std::deque<Answer>> m_queued;
    std::vector<std::string> m_targets;
};

} // namespace melvanto::test
