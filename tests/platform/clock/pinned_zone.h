#pragma once
// Pins the process's local time zone to a POSIX TZ text for the life of the object, so
// that date tests do not depend on the machine's zone.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace melvanto::testzone {

class PinnedZone {
public:
    explicit PinnedZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) m_previous = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~PinnedZone() {
        if (m_previous)
            ::setenv("TZ", m_previous->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    PinnedZone(const PinnedZone&) = delete;
    PinnedZone& operator=(const PinnedZone&) = delete;

private:
    std::optional<std::string> m_previous;
};

// Eight hours east of Greenwich, five hours west, and New York's rule with daylight time.
inline constexpr const char* China = "CST-8";
inline constexpr const char* Eastern = "EST5";
inline constexpr const char* EasternWithDaylight = "EST5EDT,M3.2.0,M11.1.0";
inline constexpr const char* Utc = "UTC0";

} // namespace melvanto::testzone
