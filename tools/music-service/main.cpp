// The stand-in music service: the three JSON endpoints the program uses, with the cover
// pictures, lyric files and song files they point at, on 127.0.0.1.
//
//   music-service [--port N] [--faults [--seed N] [--stall-ms N]]
//
// --port N: default 8707; 0 picks a free port. --faults: a seeded share of the JSON
// replies and covers fail (faults.h); --seed N picks the sequence (default 1), --stall-ms N
// how long a stalled reply keeps its connection before giving up (default 35000, past
// the program's 30 s read limit).
//
// The first line on stdout is the port it listens on; every request is logged to stderr.

#include "endpoints.h"
#include "faults.h"
#include "file_routes.h"
#include "query.h"
#include "service_data.h"

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <pthread.h>
#include <string>
#include <thread>

using namespace melvanto::music_service;

namespace {

constexpr int kDefaultPort = 8707;
constexpr int kDefaultStallMs = 35000;
// Every open connection holds a thread of the pool, idle keep-alive ones included (each
// detail window of the program keeps one to the cover host, hidden ones too), and stalled
// replies hold theirs until they give up. A large pool and a short idle time keep either
// from holding up other replies.
constexpr size_t kServerThreads = 64;
constexpr time_t kKeepAliveIdleSeconds = 2;

void logRequest(const httplib::Request& request, const httplib::Response& response) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[16];
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    const std::string fault = response.get_header_value("X-Fault");
    std::fprintf(stderr, "%s %s %s %s -> %d (%zu bytes)%s%s\n", stamp, request.remote_addr.c_str(),
                 request.method.c_str(), request.target.c_str(), response.status,
                 response.body.size(), fault.empty() ? "" : " fault ", fault.c_str());
}

// Error statuses without a body of their own (an unknown path, a missing file) get the
// small HTML page a web server sends.
void errorPage(const httplib::Request&, httplib::Response& response) {
    if (!response.body.empty()) return;
    const std::string title =
        response.status == 404 ? "404 Not Found" : std::to_string(response.status) + " Error";
    response.set_content("<html><head><title>" + title + "</title></head><body><h1>" + title +
                             "</h1></body></html>",
                         "text/html");
}

int usage() {
    std::fprintf(stderr, "usage: music-service [--port N] [--faults [--seed N] [--stall-ms N]]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int port = kDefaultPort;
    bool faults = false;
    unsigned seed = 1;
    int stallMs = kDefaultStallMs;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--port" && i + 1 < argc) {
            const auto value = ParseCount(argv[++i]);
            if (!value || *value > 65535) return usage();
            port = *value;
        } else if (argument == "--faults") {
            faults = true;
        } else if (argument == "--seed" && i + 1 < argc) {
            const auto value = ParseCount(argv[++i]);
            if (!value) return usage();
            seed = static_cast<unsigned>(*value);
        } else if (argument == "--stall-ms" && i + 1 < argc) {
            const auto value = ParseCount(argv[++i]);
            if (!value) return usage();
            stallMs = *value;
        } else {
            return usage();
        }
    }

    // SIGINT and SIGTERM end the service cleanly: one thread waits for them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    const ServiceData data;
    httplib::Server server;
    AddEndpoints(server, data);
    AddFileRoutes(server, data);
    server.set_error_handler(errorPage);
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
            response.status = 500;
            response.set_content(R"({"error_code":500,"error_message":"internal error"})",
                                 "application/json; charset=utf-8");
        });
    server.set_logger(logRequest);
    FaultPlan faultPlan(seed, std::chrono::milliseconds(stallMs));
    server.new_task_queue = [] { return new httplib::ThreadPool(kServerThreads); };
    // A reply's head and body leave in separate writes; without this the body of a reply
    // on a reused connection waits for the client's delayed acknowledgement (40 ms).
    server.set_tcp_nodelay(true);
    server.set_keep_alive_timeout(kKeepAliveIdleSeconds);
    if (faults) {
        server.set_post_routing_handler(
            [&faultPlan](const httplib::Request& request, httplib::Response& response) {
                faultPlan.Apply(request, response);
            });
    }

    const std::string host = "127.0.0.1";
    const int bound =
        port == 0 ? server.bind_to_any_port(host) : (server.bind_to_port(host, port) ? port : -1);
    if (bound <= 0) {
        std::fprintf(stderr, "music-service: cannot listen on %s:%d\n", host.c_str(), port);
        return 1;
    }
    std::printf("%d\n", bound);
    std::fflush(stdout);
    std::fprintf(stderr, "music-service: %zu songs, %zu charts, %zu covers on http://%s:%d\n",
                 data.catalogue.Songs().size(), data.catalogue.Charts().size(), data.covers.size(),
                 host.c_str(), bound);

    std::thread stopper([&server, &stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.stop();
    });
    const bool listened = server.listen_after_bind();
    if (!listened) {
        // The loop ended on its own: let the waiting thread go.
        pthread_kill(stopper.native_handle(), SIGTERM);
    }
    stopper.join();
    return listened ? 0 : 1;
}
