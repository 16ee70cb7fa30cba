#include "platform/clock/local_clock.h"

#include "base/errors.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace melvanto {

namespace {

// Beyond this many seconds from 1970 no time_t conversion is attempted.
constexpr double LargestUnixSeconds = 9.0e18;

[[noreturn]] void failTimeZone() {
    throw ENetTimeZoneInfoUnavailable("Failed attempting to retrieve time zone information.");
}

} // namespace

TDateTime UtcNow() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count();
    return UnixToDateTime(static_cast<double>(us) / 1e6);
}

TDateTime Now() {
    return UtcToLocal(UtcNow());
}

int LocalOffsetSeconds(TDateTime utc) {
    // Rounded to the millisecond first, as dates are decoded, so that 07:00:00 held as
    // 06:59:59.9999999 still counts as 07:00:00.
    const double unixSeconds = std::floor(std::round(DateTimeToUnix(utc) * 1000.0) / 1000.0);
    if (!(std::fabs(unixSeconds) < LargestUnixSeconds)) failTimeZone();
    const time_t moment = static_cast<time_t>(unixSeconds);
    struct tm local {};
    if (localtime_r(&moment, &local) == nullptr) failTimeZone();
    return static_cast<int>(local.tm_gmtoff);
}

TDateTime UtcToLocal(TDateTime utc) {
    return utc + LocalOffsetSeconds(utc) / SecondsPerDay;
}

TDateTime LocalToUtc(TDateTime local) {
    // The offset at the local reading taken as UTC is off by at most one change of offset;
    // the offset at the first guess settles it.
    const TDateTime guess = local - LocalOffsetSeconds(local) / SecondsPerDay;
    return local - LocalOffsetSeconds(guess) / SecondsPerDay;
}

} // namespace melvanto
