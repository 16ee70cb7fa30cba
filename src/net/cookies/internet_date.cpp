#include "net/cookies/internet_date.h"

#include "base/str_to_int.h"
#include "net/cookies/byte_text.h"
#include "platform/clock/local_clock.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace melvanto {

namespace {

constexpr const char* DayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool startsWithDayName(std::string_view text) {
    for (const char* name : DayNames)
        if (SameText(text.substr(0, 3), name)) return true;
    return false;
}

// 1 to 12, or 0 when the text is no month name.
int monthNumber(std::string_view text) {
    for (int i = 0; i < 12; ++i)
        if (SameText(text, MonthNames[i])) return i + 1;
    return 0;
}

int numberOr(std::string_view text, int fallback) {
    return TryStrToInt(text).value_or(fallback);
}

// Takes the text up to the separator and drops the blanks that follow it.
std::string_view takeField(std::string_view& rest, char separator) {
    std::string_view field = Fetch(rest, separator);
    rest = TrimLeftBlanks(rest);
    return field;
}

char dateSeparator(std::string_view text) {
    const size_t dash = text.find('-');
    size_t space = text.find(' ');
    // A text without any space has its fields run to its end.
    if (space == std::string_view::npos) space = text.size();
    return dash != std::string_view::npos && dash >= 1 && dash < space ? '-' : ' ';
}

// Two-digit years: below 80 in this century, from 80 in the last.
int fullYear(int year) {
    if (year < 80) return year + 2000;
    if (year < 100) return year + 1900;
    return year;
}

// The time field "hh:mm:ss"; nothing when it names no time of day.
std::optional<TDateTime> readTime(std::string_view field) {
    const int hour = numberOr(Fetch(field, ':'), 0);
    const int minute = numberOr(Fetch(field, ':'), 0);
    const int second = numberOr(Fetch(field, ':'), 0);
    return EncodeTime(hour, minute, second);
}

// Offset of the zone field from UTC in seconds: "+hhmm" or "-hhmm", else 0.
int zoneOffsetSeconds(std::string_view zone) {
    if (zone.size() <= 4 || (zone[0] != '+' && zone[0] != '-')) return 0;
    const auto hours = TryStrToInt(zone.substr(1, 2));
    const auto minutes = TryStrToInt(zone.substr(3, 2));
    if (!hours || !minutes) return 0;
    const int seconds = (*hours * 60 + *minutes) * 60;
    return zone[0] == '-' ? -seconds : seconds;
}

} // namespace

TDateTime ReadInternetDateUtc(std::string_view text) {
    std::string_view rest = TrimBlanks(text);
    if (rest.empty()) return ZeroDateTime;

    if (startsWithDayName(rest)) {
        Fetch(rest, ' ');
        rest = TrimLeftBlanks(rest);
    }

    const char separator = dateSeparator(rest);
    std::string_view probe = rest;
    int day;
    int month;
    if (monthNumber(Fetch(probe, separator)) != 0) {
        month = monthNumber(takeField(rest, separator));
        day = numberOr(takeField(rest, separator), 1);
    } else {
        day = numberOr(takeField(rest, separator), 1);
        month = monthNumber(takeField(rest, separator));
    }

    rest = TrimLeftBlanks(rest);
    const std::string_view yearField = takeField(rest, ' ');
    auto year = TryStrToInt(yearField);
    std::string asctimeRest;
    if (!year || *year == 1900) {
        // The asctime form puts the time before the year: the year comes from the next
        // field, and the field taken first goes back in front of what follows the year.
        // A year that reads as 1900 stays, with its time, unless a year follows it.
        std::string_view afterYear = rest;
        const auto nextYear = TryStrToInt(takeField(afterYear, ' '));
        if (!year || nextYear) {
            year = nextYear.value_or(1900);
            asctimeRest = std::string(yearField);
            if (!afterYear.empty()) asctimeRest += " " + std::string(afterYear);
            rest = asctimeRest;
        }
    }
    std::optional<TDateTime> moment = EncodeDate(fullYear(*year), month, day);

    rest = TrimLeftBlanks(rest);
    if (rest.find(':') != std::string_view::npos) {
        const auto time = readTime(takeField(rest, ' '));
        moment = moment && time ? std::optional<TDateTime>(*moment + *time) : std::nullopt;
    }

    const int offset = zoneOffsetSeconds(TrimLeftBlanks(rest));
    return moment.value_or(ZeroDateTime) - offset / SecondsPerDay;
}

TDateTime ReadInternetDate(std::string_view text) {
    return UtcToLocal(ReadInternetDateUtc(text));
}

std::string WriteInternetDate(TDateTime local) {
    const DateTimeParts parts = DecodeDateTime(local);
    const int offsetMinutes =
        static_cast<int>(std::lround((local - LocalToUtc(local)) * SecondsPerDay / 60.0));
    const int absoluteMinutes = std::abs(offsetMinutes);

    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s, %d %s %d %02d:%02d:%02d %c%02d%02d",
                  DayNames[parts.dayOfWeek - 1], parts.day, MonthNames[parts.month - 1], parts.year,
                  parts.hour, parts.minute, parts.second, offsetMinutes < 0 ? '-' : '+',
                  absoluteMinutes / 60, absoluteMinutes % 60);
    return buffer;
}

} // namespace melvanto
