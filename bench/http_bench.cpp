// FetchToStream beside libcurl over loopback, against one small keep-alive HTTP/1.1
// server in this process: (a) one 256 MiB body, (b) 2,000 sequential GETs of a 20 KB
// picture. Both clients keep one connection open across requests (libcurl through one
// reused easy handle) and write each body into a fresh memory buffer; for (a) libcurl
// also runs with its buffer grown to the declared length first, as FetchToStream does.
//
// The server answers each request with a Content-Length reply straight from memory,
// head and body in one writev call, so it is never what the clients wait for.

#include "base/memory_stream.h"
#include "net/http/http_client.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <sys/uio.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace melvanto;

namespace {

constexpr size_t kBigSize = size_t{256} << 20;
constexpr size_t kPictureSize = 20 * 1024;
constexpr int kPictureRequests = 2000;

std::string pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 4096) % 251);
    return bytes;
}

class BenchServer {
public:
    BenchServer() : m_big(pattern(kBigSize)), m_picture(pattern(kPictureSize)) {
        m_listenFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_listenFd < 0 ||
            bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(m_listenFd, 16) != 0 ||
            getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error(std::string("bench server: ") + std::strerror(errno));
        m_port = ntohs(address.sin_port);
        m_acceptor = std::thread([this] { acceptLoop(); });
    }

    ~BenchServer() {
        m_stop = true;
        shutdown(m_listenFd, SHUT_RDWR);
        m_acceptor.join();
        {
            std::lock_guard lock(m_mutex);
            for (int fd : m_connections)
                if (fd >= 0) shutdown(fd, SHUT_RDWR);
        }
        for (std::thread& worker : m_workers)
            worker.join();
        close(m_listenFd);
    }

    std::string Url(const char* path) const {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    const std::string& Big() const { return m_big; }
    const std::string& Picture() const { return m_picture; }

private:
    void acceptLoop() {
        while (!m_stop) {
            const int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) {
                if (errno == EINTR) continue;
                return;
            }
            int on = 1;
            setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            std::lock_guard lock(m_mutex);
            m_connections.push_back(fd);
            m_workers.emplace_back([this, fd] { serve(fd); });
        }
    }

    void serve(int fd) {
        answerRequests(fd);
        std::lock_guard lock(m_mutex);
        std::replace(m_connections.begin(), m_connections.end(), fd, -1);
        close(fd);
    }

    // Until the client closes or a send fails.
    void answerRequests(int fd) {
        std::string pending;
        char buffer[16384];
        for (;;) {
            size_t end;
            while ((end = pending.find("\r\n\r\n")) == std::string::npos) {
                const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0) return;
                pending.append(buffer, static_cast<size_t>(n));
            }
            const bool big = pending.compare(0, 9, "GET /big ") == 0;
            pending.erase(0, end + 4);
            const std::string& body = big ? m_big : m_picture;
            const std::string head =
                "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\n\r\n";
            if (!sendAll(fd, head, body)) return;
        }
    }

    static bool sendAll(int fd, const std::string& head, const std::string& body) {
        size_t headSent = 0, bodySent = 0;
        while (bodySent < body.size()) {
            iovec parts[2] = {
                {const_cast<char*>(head.data()) + headSent, head.size() - headSent},
                {const_cast<char*>(body.data()) + bodySent, body.size() - bodySent},
            };
            msghdr message{};
            message.msg_iov = headSent < head.size() ? parts : parts + 1;
            message.msg_iovlen = headSent < head.size() ? 2 : 1;
            const ssize_t n = sendmsg(fd, &message, MSG_NOSIGNAL);
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            size_t sent = static_cast<size_t>(n);
            const size_t fromHead = std::min(sent, head.size() - headSent);
            headSent += fromHead;
            bodySent += sent - fromHead;
        }
        return true;
    }

    std::string m_big;
    std::string m_picture;
    int m_listenFd = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_acceptor;
    std::mutex m_mutex;
    std::vector<int> m_connections;
    std::vector<std::thread> m_workers;
};

BenchServer& server() {
    static BenchServer instance;
    return instance;
}

void fetchWithClient(TNetHTTP& http, const std::string& url, size_t expected,
                     benchmark::State& state) {
    TMemoryStream body;
    http.FetchToStream(url, body);
    if (static_cast<size_t>(body.Size()) != expected) state.SkipWithError("wrong body size");
    benchmark::DoNotOptimize(body.Data());
}

size_t appendToString(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

// The same, but the buffer is first grown to the reply's Content-Length, as
// FetchToStream grows its stream: libcurl without the cost of a growing buffer.
struct ReservedBody {
    CURL* handle;
    std::string bytes;
};

size_t appendReserved(char* data, size_t size, size_t count, void* target) {
    auto* body = static_cast<ReservedBody*>(target);
    if (body->bytes.empty()) {
        curl_off_t length = -1;
        curl_easy_getinfo(body->handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        if (length > 0) body->bytes.reserve(static_cast<size_t>(length));
    }
    body->bytes.append(data, size * count);
    return size * count;
}

class CurlHandle {
public:
    CurlHandle() : m_handle(curl_easy_init()) {
        curl_easy_setopt(m_handle, CURLOPT_WRITEFUNCTION, appendToString);
    }

    void FetchReserved(const std::string& url, size_t expected, benchmark::State& state) {
        ReservedBody body{m_handle, {}};
        curl_easy_setopt(m_handle, CURLOPT_URL, url.c_str());
        curl_easy_setopt(m_handle, CURLOPT_WRITEFUNCTION, appendReserved);
        curl_easy_setopt(m_handle, CURLOPT_WRITEDATA, &body);
        if (curl_easy_perform(m_handle) != CURLE_OK || body.bytes.size() != expected)
            state.SkipWithError("libcurl transfer failed");
        curl_easy_setopt(m_handle, CURLOPT_WRITEFUNCTION, appendToString);
        benchmark::DoNotOptimize(body.bytes.data());
    }
    ~CurlHandle() { curl_easy_cleanup(m_handle); }

    void Fetch(const std::string& url, size_t expected, benchmark::State& state) {
        std::string body;
        curl_easy_setopt(m_handle, CURLOPT_URL, url.c_str());
        curl_easy_setopt(m_handle, CURLOPT_WRITEDATA, &body);
        if (curl_easy_perform(m_handle) != CURLE_OK || body.size() != expected)
            state.SkipWithError("libcurl transfer failed");
        benchmark::DoNotOptimize(body.data());
    }

private:
    CURL* m_handle;
};

void BM_Big_FetchToStream(benchmark::State& state) {
    const std::string url = server().Url("/big");
    TNetHTTP http;
    http.SetMaxBodySize(kBigSize);
    for (auto _ : state)
        fetchWithClient(http, url, kBigSize, state);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBigSize));
}

void BM_Big_Curl(benchmark::State& state) {
    const std::string url = server().Url("/big");
    CurlHandle curl;
    for (auto _ : state)
        curl.Fetch(url, kBigSize, state);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBigSize));
}

void BM_Big_CurlReserved(benchmark::State& state) {
    const std::string url = server().Url("/big");
    CurlHandle curl;
    for (auto _ : state)
        curl.FetchReserved(url, kBigSize, state);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBigSize));
}

void BM_Pictures_FetchToStream(benchmark::State& state) {
    const std::string url = server().Url("/pic.jpg");
    TNetHTTP http;
    for (auto _ : state)
        for (int i = 0; i < kPictureRequests; ++i)
            fetchWithClient(http, url, kPictureSize, state);
    state.SetItemsProcessed(state.iterations() * kPictureRequests);
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations() * kPictureRequests * kPictureSize));
}

void BM_Pictures_Curl(benchmark::State& state) {
    const std::string url = server().Url("/pic.jpg");
    CurlHandle curl;
    for (auto _ : state)
        for (int i = 0; i < kPictureRequests; ++i)
            curl.Fetch(url, kPictureSize, state);
    state.SetItemsProcessed(state.iterations() * kPictureRequests);
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations() * kPictureRequests * kPictureSize));
}

} // namespace

BENCHMARK(BM_Big_FetchToStream)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Big_Curl)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Big_CurlReserved)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pictures_FetchToStream)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pictures_Curl)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    curl_global_cleanup();
    return 0;
}
