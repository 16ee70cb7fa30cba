#pragma once
// The date-time value of the program: a count of days since 30 December 1899 midnight,
// the fraction being the time of day. The count runs on linearly before 1899, so that
// comparing and subtracting two values always means comparing and subtracting moments.
// Whether a value is local time or UTC is up to whoever holds it; this file knows no zone.

#include <optional>

namespace melvanto {

using TDateTime = double;

// 30 December 1899, midnight: the value of a date that could not be read.
inline constexpr TDateTime ZeroDateTime = 0.0;

inline constexpr double SecondsPerDay = 86400.0;
inline constexpr double MillisecondsPerDay = 86400000.0;

// 1 January 1970 midnight, the start of Unix time.
inline constexpr TDateTime UnixEpochDateTime = 25569.0;

struct DateTimeParts {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
    int hour = 0;   // 0 to 23
    int minute = 0; // 0 to 59
    int second = 0; // 0 to 59
    int millisecond = 0;
    int dayOfWeek = 0; // 1 Sunday to 7 Saturday
};

// Years 1 to 9999; nothing when the date or time does not exist.
std::optional<TDateTime> EncodeDate(int year, int month, int day);
std::optional<TDateTime> EncodeTime(int hour, int minute, int second, int millisecond = 0);
std::optional<TDateTime> EncodeDateTime(int year, int month, int day, int hour, int minute,
                                        int second, int millisecond = 0);

// Rounded to the nearest millisecond. A value that is not a date of the years 1 to 9999
// fails with EConvertError.
DateTimeParts DecodeDateTime(TDateTime value);

// Unix time in seconds (fractions allowed) to and from the count of days; no zone involved.
TDateTime UnixToDateTime(double unixSeconds);
double DateTimeToUnix(TDateTime value);

} // namespace melvanto
