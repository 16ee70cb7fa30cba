#include "net/cookies/internet_date.h"
#include "platform/clock/local_clock.h"
#include "platform/clock/pinned_zone.h"

#include <gtest/gtest.h>

using namespace melvanto;
using melvanto::testzone::PinnedZone;

namespace {

TDateTime at(int year, int month, int day, int hour, int minute, int second) {
    return EncodeDateTime(year, month, day, hour, minute, second).value();
}

void expectMoment(TDateTime actual, TDateTime expected) {
    const DateTimeParts a = DecodeDateTime(actual);
    const DateTimeParts e = DecodeDateTime(expected);
    EXPECT_EQ(a.year, e.year);
    EXPECT_EQ(a.month, e.month);
    EXPECT_EQ(a.day, e.day);
    EXPECT_EQ(a.hour, e.hour);
    EXPECT_EQ(a.minute, e.minute);
    EXPECT_EQ(a.second, e.second);
    EXPECT_NEAR(actual, expected, 1e-8);
}

} // namespace

TEST(ReadInternetDate, TheHttpAndCookieFormsNameTheSameMoment) {
    PinnedZone pin(testzone::China);
    const char* forms[] = {
        "Sun, 06 Nov 1994 08:49:37 GMT",  // RFC 1123
        "Sunday, 06-Nov-94 08:49:37 GMT", // RFC 850
        "Sun Nov  6 08:49:37 1994",       // asctime
        "Sun, 06-Nov-94 08:49:37 GMT",    // cookies, two-digit year
        "Sun, 06-Nov-1994 08:49:37 GMT",  // cookies, four-digit year
        "sun, 06 NOV 1994 08:49:37 gmt",  // letter case ignored
        "  Sun,   06 Nov 1994 08:49:37 GMT  ",
        "06 Nov 1994 08:49:37 GMT",        // no day name
        "Sun, 06 Nov 1994 16:49:37 +0800", // the same moment told in another zone
    };
    for (const char* text : forms) {
        SCOPED_TRACE(text);
        expectMoment(ReadInternetDateUtc(text), at(1994, 11, 6, 8, 49, 37));
        // Local time eight hours east of Greenwich.
        expectMoment(ReadInternetDate(text), at(1994, 11, 6, 16, 49, 37));
    }
}

TEST(ReadInternetDate, ZoneOffsetsAndLesserForms) {
    PinnedZone pin(testzone::Eastern);
    struct Case {
        const char* text;
        TDateTime utc;
    };
    const Case cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 +0800", at(1994, 11, 6, 0, 49, 37)},
        {"Sun, 06 Nov 1994 08:49:37 -0500", at(1994, 11, 6, 13, 49, 37)},
        {"Sun, 06 Nov 1994 08:49:37 +0530", at(1994, 11, 6, 3, 19, 37)},
        {"Sun, 06 Nov 1994 01:00:00 +0800", at(1994, 11, 5, 17, 0, 0)},
        {"Sun, 06 Nov 1994 08:49:37 +0800 (CST)", at(1994, 11, 6, 0, 49, 37)},
        // Only "+hhmm" and "-hhmm" count; anything else is read as UTC.
        {"Sun, 06 Nov 1994 08:49:37 +08:00", at(1994, 11, 6, 8, 49, 37)},
        {"Sun, 06 Nov 1994 08:49:37 +800", at(1994, 11, 6, 8, 49, 37)},
        {"Sun, 06 Nov 1994 08:49:37 EST", at(1994, 11, 6, 8, 49, 37)},
        {"Sun, 06 Nov 1994 08:49:37", at(1994, 11, 6, 8, 49, 37)},
        {"Sun, 06 Nov 1994 08:49 GMT", at(1994, 11, 6, 8, 49, 0)},
        {"Sun, 06 Nov 1994", at(1994, 11, 6, 0, 0, 0)},
        {"Nov 6 1994", at(1994, 11, 6, 0, 0, 0)},
        {"06-Nov-94", at(1994, 11, 6, 0, 0, 0)},
        {"Sun Nov  6 08:49:37 1994 +0100", at(1994, 11, 6, 7, 49, 37)},
        {"Thu, 01-Jan-79 00:00:00 GMT", at(2079, 1, 1, 0, 0, 0)},
        {"Tue, 01-Jan-80 00:00:00 GMT", at(1980, 1, 1, 0, 0, 0)},
        {"Fri, 31 Dec 1999 23:59:59 GMT", at(1999, 12, 31, 23, 59, 59)},
        {"Sat, 01 Jan 2000 00:00:00 GMT", at(2000, 1, 1, 0, 0, 0)},
        {"Mon, 29 Feb 2016 12:00:00 GMT", at(2016, 2, 29, 12, 0, 0)},
        // A date of 1900 keeps its time and zone.
        {"Mon, 01 Jan 1900 08:30:00 +0100", at(1900, 1, 1, 7, 30, 0)},
        {"Mon Jan  1 08:30:00 1900", at(1900, 1, 1, 8, 30, 0)},
        // An unreadable year is taken as 1900.
        {"Mon, 01 Jan xx 08:30:00 GMT", at(1900, 1, 1, 0, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        expectMoment(ReadInternetDateUtc(c.text), c.utc);
        expectMoment(ReadInternetDate(c.text), c.utc - 5.0 / 24.0);
    }
}

TEST(ReadInternetDate, UnreadableDatesAreTheZeroDateTimeInTheirZone) {
    PinnedZone pin(testzone::China);
    struct Case {
        const char* text;
        int zoneHours;
    };
    const Case cases[] = {
        {"", 0},
        {"   ", 0},
        {"whenever", 0},
        {"Sun, 31 Feb 1994 08:49:37 GMT", 0},
        {"Sun, 06 Xyz 1994 08:49:37 GMT", 0},
        {"Sun, 06 Nov 1994 24:00:00 GMT", 0},
        {"Sun, 06 Nov 1994 08:60:00 GMT", 0},
        {"Sun, 06 Nov 1994 08:49:60 GMT", 0},
        {"Sun, 06 Nov 1994 -1:00:00 GMT", 0},
        {"Sun, 06 Nov 99999 08:49:37 GMT", 0},
        {"Sun, 31 Feb 1994 08:49:37 +0800", 8},
        {"Sun, 06 Nov 1994 25:00:00 -0500", -5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(ReadInternetDateUtc(c.text), ZeroDateTime - c.zoneHours / 24.0, 1e-9);
        EXPECT_NEAR(ReadInternetDate(c.text), ZeroDateTime + (8 - c.zoneHours) / 24.0, 1e-9);
        EXPECT_LT(ReadInternetDate(c.text), Now());
    }
}

TEST(WriteInternetDate, WritesLocalTimeWithTheOffsetInForce) {
    struct Case {
        const char* zone;
        TDateTime local;
        const char* expected;
    };
    const Case cases[] = {
        {testzone::China, at(1994, 11, 6, 16, 49, 37), "Sun, 6 Nov 1994 16:49:37 +0800"},
        {testzone::Eastern, at(1994, 11, 6, 3, 49, 37), "Sun, 6 Nov 1994 03:49:37 -0500"},
        {testzone::Utc, at(1994, 11, 6, 8, 49, 37), "Sun, 6 Nov 1994 08:49:37 +0000"},
        {testzone::EasternWithDaylight, at(2021, 7, 4, 12, 0, 0), "Sun, 4 Jul 2021 12:00:00 -0400"},
        {testzone::EasternWithDaylight, at(2021, 1, 5, 9, 5, 7), "Tue, 5 Jan 2021 09:05:07 -0500"},
        {"IST-5:30", at(2000, 2, 29, 23, 59, 59), "Tue, 29 Feb 2000 23:59:59 +0530"},
        {"NST3:30", at(2031, 12, 31, 0, 0, 0), "Wed, 31 Dec 2031 00:00:00 -0330"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        PinnedZone pin(c.zone);
        const std::string written = WriteInternetDate(c.local);
        EXPECT_EQ(written, c.expected);
        expectMoment(ReadInternetDate(written), c.local);
        expectMoment(ReadInternetDateUtc(written), LocalToUtc(c.local));
    }
}

TEST(WriteInternetDate, AWrittenDateReadsBackInAnotherZoneAsTheSameMoment) {
    std::string written;
    {
        PinnedZone pin(testzone::China);
        written = WriteInternetDate(at(2024, 3, 10, 6, 30, 15));
    }
    PinnedZone pin(testzone::Eastern);
    expectMoment(ReadInternetDateUtc(written), at(2024, 3, 9, 22, 30, 15));
    expectMoment(ReadInternetDate(written), at(2024, 3, 9, 17, 30, 15));
}
