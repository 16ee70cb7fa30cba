#include "base/errors.h"
#include "ui/download/duration_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

using namespace melvanto;

namespace {

TEST(DurationText, MillisecondsAsHoursMinutesAndSeconds) {
    struct Case {
        int64_t milliseconds;
        const char* text;
    };
    const Case cases[] = {
        {245000, "00:04:05"},
        {59000, "00:00:59"},
        {3600000, "01:00:00"},
        {360000000, "100:00:00"}, // hours are not wrapped at 24
        {0, "00:00:00"},
        {999, "00:00:00"}, // truncated to whole seconds
        {61999, "00:01:01"},
        {3599000, "00:59:59"},
        {86400000, "24:00:00"},
        {-999, "00:00:00"},
        {-245000, "-00:04:05"},
        // Beyond a 32-bit count of milliseconds.
        {2147484000LL, "596:31:24"},
        {2147483647000LL, "596523:14:07"},
        {std::numeric_limits<int64_t>::max(), "2562047788015:12:55"},
        {std::numeric_limits<int64_t>::min(), "-2562047788015:12:55"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.milliseconds);
        EXPECT_EQ(FormatDuration(c.milliseconds), c.text);
    }
}

TEST(DurationText, EmptyIsZeroAndSecondsAreReadAsAWholeNumber) {
    struct Case {
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {"", "0"},
        {"245", "00:04:05"},
        {"59", "00:00:59"},
        {"3600", "01:00:00"},
        {"360000", "100:00:00"},
        {" +245", "00:04:05"},
        {"$F5", "00:04:05"},
        // From 2147484 s on the milliseconds no longer fit 32 bits; they are counted in 64.
        {"2147483", "596:31:23"},
        {"2147484", "596:31:24"},
        {"2147483647", "596523:14:07"},
        {"-2147483648", "-596523:14:08"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DurationText(c.text), c.shown);
    }
}

TEST(DurationText, TextThatIsNoWholeNumberFailsNamingIt) {
    for (const char* text : {"abc", "null", "245s", "2147483648", "4:05"}) {
        SCOPED_TRACE(text);
        try {
            DurationText(text);
            ADD_FAILURE() << "no failure";
        } catch (const EConvertError& failure) {
            EXPECT_EQ(failure.Message(),
                      "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

} // namespace
