#pragma once
// The duration shown in the duration line, "hh:mm:ss".

#include <cstdint>
#include <string>
#include <string_view>

namespace melvanto {

// Milliseconds, truncated to whole seconds, as hours, minutes and seconds joined by ":",
// each field at least two digits; hours are not wrapped at 24 and take the digits they
// need. 245,000 gives "00:04:05", 360,000,000 gives "100:00:00". A 64-bit count, so that
// durations of 2,147,484 seconds and more stay right. A negative duration is written as
// "-" and the fields of its magnitude.
std::string FormatDuration(int64_t milliseconds);

// The duration text of a song: "0" for an empty text, otherwise the text read as a whole
// number of seconds (StrToInt, failing with EConvertError) and written by FormatDuration.
std::string DurationText(std::string_view timeText);

} // namespace melvanto
