#include "base/errors.h"
#include "platform/clock/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace melvanto;

TEST(DateTime, EncodesDatesAsDaysSince30December1899) {
    struct Case {
        int year, month, day;
        double expected;
        int dayOfWeek;
    };
    const Case cases[] = {
        {1899, 12, 30, 0.0, 7},    {1899, 12, 31, 1.0, 1},    {1899, 12, 29, -1.0, 6},
        {1970, 1, 1, 25569.0, 5},  {1994, 11, 6, 34644.0, 1}, {2000, 1, 1, 36526.0, 7},
        {2000, 2, 29, 36585.0, 3}, {1, 1, 1, -693593.0, 2},   {9999, 12, 31, 2958465.0, 6},
        {1800, 1, 1, -36522.0, 4}, {2038, 1, 19, 50424.0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        const auto encoded = EncodeDate(c.year, c.month, c.day);
        ASSERT_TRUE(encoded.has_value());
        EXPECT_EQ(*encoded, c.expected);
        const DateTimeParts parts = DecodeDateTime(*encoded);
        EXPECT_EQ(parts.year, c.year);
        EXPECT_EQ(parts.month, c.month);
        EXPECT_EQ(parts.day, c.day);
        EXPECT_EQ(parts.dayOfWeek, c.dayOfWeek);
    }
}

TEST(DateTime, RefusesDatesAndTimesThatDoNotExist) {
    struct DateCase {
        int year, month, day;
    };
    const DateCase dates[] = {{1900, 2, 29}, {2001, 2, 29}, {1994, 2, 31}, {1994, 4, 31},
                              {1994, 13, 1}, {1994, 0, 1},  {1994, 1, 0},  {0, 1, 1},
                              {10000, 1, 1}, {-5, 1, 1},    {1994, 1, 32}};
    for (const auto& c : dates) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_FALSE(EncodeDate(c.year, c.month, c.day).has_value());
        EXPECT_FALSE(EncodeDateTime(c.year, c.month, c.day, 0, 0, 0).has_value());
    }
    struct TimeCase {
        int hour, minute, second, millisecond;
    };
    const TimeCase times[] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0},
                              {-1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, 0, 1000}};
    for (const auto& c : times) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second);
        EXPECT_FALSE(EncodeTime(c.hour, c.minute, c.second, c.millisecond).has_value());
        EXPECT_FALSE(EncodeDateTime(2000, 1, 1, c.hour, c.minute, c.second, c.millisecond));
    }
}

TEST(DateTime, TimeOfDayIsTheFractionOnBothSidesOf1899) {
    struct Case {
        double value;
        int year, month, day, hour, minute, second, millisecond;
    };
    const Case cases[] = {
        {0.5, 1899, 12, 30, 12, 0, 0, 0},
        {-0.25, 1899, 12, 29, 18, 0, 0, 0},
        {34644.0 + (8 * 3600 + 49 * 60 + 37) / 86400.0, 1994, 11, 6, 8, 49, 37, 0},
        {36526.0 + 0.999 / 86400.0, 2000, 1, 1, 0, 0, 0, 999},
        {36526.0 - 0.0004 / 86400.0, 2000, 1, 1, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const DateTimeParts parts = DecodeDateTime(c.value);
        EXPECT_EQ(parts.year, c.year);
        EXPECT_EQ(parts.month, c.month);
        EXPECT_EQ(parts.day, c.day);
        EXPECT_EQ(parts.hour, c.hour);
        EXPECT_EQ(parts.minute, c.minute);
        EXPECT_EQ(parts.second, c.second);
        EXPECT_EQ(parts.millisecond, c.millisecond);
    }
    const auto encoded = EncodeDateTime(1994, 11, 6, 8, 49, 37);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_NEAR(*encoded, cases[2].value, 1e-9);
}

TEST(DateTime, DecodingAValueOutsideTheYears1To9999Fails) {
    const double bad[] = {-693594.0, 2958466.0, 1e300, std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()};
    for (double value : bad) {
        SCOPED_TRACE(value);
        EXPECT_THROW(DecodeDateTime(value), EConvertError);
    }
}

TEST(DateTime, ConvertsToAndFromUnixTime) {
    struct Case {
        double unixSeconds;
        double value;
    };
    const Case cases[] = {
        {0.0, 25569.0},
        {784111777.0, 34644.0 + (8 * 3600 + 49 * 60 + 37) / 86400.0},
        {-2209161600.0, 0.0},
        {-86400.0 * 1.5, 25567.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unixSeconds);
        EXPECT_NEAR(UnixToDateTime(c.unixSeconds), c.value, 1e-9);
        EXPECT_NEAR(DateTimeToUnix(c.value), c.unixSeconds, 1e-4);
    }
}
