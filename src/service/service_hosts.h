#pragma once
// The music service's three hosts. The program's own are fixed here; the windows take a
// ServiceHosts in their constructor so that tests can point them at a test server.

#include <string>
#include <string_view>

namespace melvanto {

inline constexpr std::string_view kSuggestionHost = "127.0.0.1:8707";
inline constexpr std::string_view kChartApiHost = "127.0.0.1:8707";
inline constexpr std::string_view kMusicSiteHost = "127.0.0.1:8707";

struct ServiceHosts {
    // Serves the keyword suggestion.
    std::string suggestion{kSuggestionHost};
    // Serves the chart lists.
    std::string chartApi{kChartApiHost};
    // Serves the song links; the base of the lyric links.
    std::string musicSite{kMusicSiteHost};

    // All three roles on one host ("127.0.0.1:port" of a test server, say).
    static ServiceHosts AllOn(std::string_view host) {
        return ServiceHosts{std::string(host), std::string(host), std::string(host)};
    }
};

} // namespace melvanto
