#include "platform/clock/date_time.h"

#include "base/errors.h"

#include <cmath>
#include <cstdint>

namespace melvanto {

namespace {

// 1 January of year 1 and 31 December 9999 as day counts.
constexpr double FirstDay = -693593.0;
constexpr double DayAfterLast = 2958466.0;

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// Days from 1 January 1970 of a date of the proleptic Gregorian calendar.
int64_t daysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(int64_t days, DateTimeParts& parts) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    parts.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    parts.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    parts.year = static_cast<int>(yearOfEra + era * 400 + (parts.month <= 2));
}

int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

} // namespace

std::optional<TDateTime> EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return std::nullopt;
    if (day < 1 || day > daysInMonth(year, month)) return std::nullopt;
    return static_cast<double>(daysFromCivil(year, month, day)) + UnixEpochDateTime;
}

std::optional<TDateTime> EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        return std::nullopt;
    const int64_t ms = ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<double>(ms) / MillisecondsPerDay;
}

std::optional<TDateTime> EncodeDateTime(int year, int month, int day, int hour, int minute,
                                        int second, int millisecond) {
    const auto date = EncodeDate(year, month, day);
    const auto time = EncodeTime(hour, minute, second, millisecond);
    if (!date || !time) return std::nullopt;
    return *date + *time;
}

DateTimeParts DecodeDateTime(TDateTime value) {
    if (!(value >= FirstDay && value < DayAfterLast))
        throw EConvertError("Invalid date-time value");
    const int64_t totalMs = std::llround(value * MillisecondsPerDay);
    const int64_t msPerDay = 86400000;
    const int64_t days = floorDiv(totalMs, msPerDay);
    int64_t msOfDay = totalMs - days * msPerDay;

    DateTimeParts parts;
    civilFromDays(days - static_cast<int64_t>(UnixEpochDateTime), parts);
    parts.millisecond = static_cast<int>(msOfDay % 1000);
    msOfDay /= 1000;
    parts.second = static_cast<int>(msOfDay % 60);
    msOfDay /= 60;
    parts.minute = static_cast<int>(msOfDay % 60);
    parts.hour = static_cast<int>(msOfDay / 60);
    // Day 0 (30 December 1899) was a Saturday.
    parts.dayOfWeek = static_cast<int>((days % 7 + 7 + 6) % 7) + 1;
    return parts;
}

TDateTime UnixToDateTime(double unixSeconds) {
    return unixSeconds / SecondsPerDay + UnixEpochDateTime;
}

double DateTimeToUnix(TDateTime value) {
    return (value - UnixEpochDateTime) * SecondsPerDay;
}

} // namespace melvanto
