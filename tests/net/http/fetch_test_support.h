#pragma once
// Helpers for the tests of FetchToStream against a scripted loopback server.

#include "base/errors.h"
#include "base/memory_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <typeinfo>

namespace melvanto::test {

inline std::string Contents(const TMemoryStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()),
                       static_cast<size_t>(stream.Size()));
}

inline std::string HostText(uint16_t port) {
    return "127.0.0.1:" + std::to_string(port);
}

// "http://127.0.0.1:<port>" followed by the rest of the URL.
inline std::string LocalUrl(uint16_t port, std::string_view rest) {
    return "http://" + HostText(port) + std::string(rest);
}

// The request head the client sends for a target and host text; extraLines (each
// ending in CR LF) come after "User-Agent".
inline std::string RequestHead(std::string_view target, std::string_view host,
                               std::string_view extraLines = "") {
    return "GET " + std::string(target) +
           " HTTP/1.1\r\n"
           "Content-Type: text/html\r\n"
           "Host: " +
           std::string(host) +
           "\r\n"
           "Accept: text/html, */*\r\n"
           "User-Agent: Mozilla/3.0 (compatible; Melvanto)\r\n" +
           std::string(extraLines) + "\r\n";
}

// The failure the call ends with when it is exactly of class E (a derived class does
// not count); anything else is recorded as a test failure and gives nothing.
template <class E, class Call> std::optional<E> FailureOf(Call&& call) {
    try {
        call();
    } catch (const Exception& failure) {
        if (typeid(failure) == typeid(E)) return static_cast<const E&>(failure);
        ADD_FAILURE() << "failed with " << typeid(failure).name() << ": " << failure.Message();
        return std::nullopt;
    }
    ADD_FAILURE() << "no failure";
    return std::nullopt;
}

} // namespace melvanto::test
