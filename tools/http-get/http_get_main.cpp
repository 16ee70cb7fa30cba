// http-get URL: one FetchToStream with a fresh TNetHTTP. The body goes to stdout; a
// failure's class name and message go to stderr, with exit code 1.

#include "base/errors.h"
#include "base/memory_stream.h"
#include "net/http/http_client.h"

#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <string>
#include <typeinfo>

namespace {

// The unqualified name of the failure's class, e.g. "ENetHTTPProtocolException".
std::string className(const std::exception& failure) {
    const char* mangled = typeid(failure).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    const size_t scope = name.rfind("::");
    return scope == std::string::npos ? name : name.substr(scope + 2);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: http-get URL\n");
        return 2;
    }
    melvanto::TMemoryStream body;
    try {
        melvanto::TNetHTTP http;
        http.FetchToStream(argv[1], body);
    } catch (const melvanto::Exception& failure) {
        std::fprintf(stderr, "%s: %s\n", className(failure).c_str(), failure.Message().c_str());
        return 1;
    }
    const size_t size = static_cast<size_t>(body.Size());
    if ((size > 0 && std::fwrite(body.Data(), 1, size, stdout) != size) ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "http-get: cannot write the body to stdout\n");
        return 1;
    }
    return 0;
}
