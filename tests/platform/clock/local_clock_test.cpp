#include "base/errors.h"
#include "platform/clock/local_clock.h"
#include "platform/clock/pinned_zone.h"

#include <gtest/gtest.h>

#include <limits>

using namespace melvanto;
using melvanto::testzone::PinnedZone;

namespace {

TDateTime utcMoment(int year, int month, int day, int hour, int minute, int second) {
    return EncodeDateTime(year, month, day, hour, minute, second).value();
}

} // namespace

TEST(LocalClock, OffsetIsTheOneInForceAtTheMoment) {
    struct Case {
        const char* zone;
        TDateTime utc;
        int expectedSeconds;
    };
    const Case cases[] = {
        {testzone::Utc, utcMoment(1994, 11, 6, 8, 49, 37), 0},
        {testzone::China, utcMoment(1994, 11, 6, 8, 49, 37), 8 * 3600},
        {testzone::Eastern, utcMoment(1994, 7, 1, 12, 0, 0), -5 * 3600},
        {testzone::EasternWithDaylight, utcMoment(2021, 7, 1, 12, 0, 0), -4 * 3600},
        {testzone::EasternWithDaylight, utcMoment(2021, 1, 15, 12, 0, 0), -5 * 3600},
        // Daylight time began at 07:00 UTC on 14 March 2021.
        {testzone::EasternWithDaylight, utcMoment(2021, 3, 14, 6, 59, 59), -5 * 3600},
        {testzone::EasternWithDaylight, utcMoment(2021, 3, 14, 7, 0, 0), -4 * 3600},
        {testzone::China, 0.0, 8 * 3600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zone << " " << c.utc);
        PinnedZone pin(c.zone);
        EXPECT_EQ(LocalOffsetSeconds(c.utc), c.expectedSeconds);
        const TDateTime local = UtcToLocal(c.utc);
        EXPECT_NEAR(local - c.utc, c.expectedSeconds / SecondsPerDay, 1e-9);
        EXPECT_NEAR(LocalToUtc(local), c.utc, 1e-9);
    }
}

TEST(LocalClock, LocalToUtcAroundAChangeToDaylightTime) {
    PinnedZone pin(testzone::EasternWithDaylight);
    struct Case {
        TDateTime local;
        TDateTime utc;
    };
    const Case cases[] = {
        {utcMoment(2021, 3, 14, 1, 30, 0), utcMoment(2021, 3, 14, 6, 30, 0)},
        {utcMoment(2021, 3, 14, 3, 30, 0), utcMoment(2021, 3, 14, 7, 30, 0)},
        {utcMoment(2021, 3, 14, 6, 30, 0), utcMoment(2021, 3, 14, 10, 30, 0)},
        {utcMoment(2021, 11, 7, 12, 0, 0), utcMoment(2021, 11, 7, 17, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.local);
        EXPECT_NEAR(LocalToUtc(c.local), c.utc, 1e-9);
    }
}

TEST(LocalClock, NowIsTheUtcClockShiftedByTheLocalOffset) {
    PinnedZone pin(testzone::China);
    const TDateTime utcBefore = UtcNow();
    const TDateTime local = Now();
    const TDateTime utcAfter = UtcNow();
    const double eightHours = 8.0 / 24.0;
    EXPECT_LE(utcBefore + eightHours, local);
    EXPECT_GE(utcAfter + eightHours, local);
    // The clock is the system's: some time after 2020.
    EXPECT_GT(utcBefore, utcMoment(2020, 1, 1, 0, 0, 0));
}

TEST(LocalClock, AMomentThePlatformCannotPlaceFailsWithTheTimeZoneMessage) {
    PinnedZone pin(testzone::China);
    // A year beyond what the platform's broken-down time can hold, and values no clock has.
    const TDateTime bad[] = {1e12, -1e12, std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    for (TDateTime utc : bad) {
        SCOPED_TRACE(utc);
        try {
            UtcToLocal(utc);
            ADD_FAILURE() << "no failure";
        } catch (const ENetTimeZoneInfoUnavailable& e) {
            EXPECT_EQ(e.Message(), "Failed attempting to retrieve time zone information.");
        }
    }
}
