#pragma once
// Internet date texts as servers send them in cookies and reply lines: the RFC 1123 form
// ("Sun, 06 Nov 1994 08:49:37 GMT"), the RFC 850 form ("Sunday, 06-Nov-94 08:49:37 GMT"),
// the asctime form ("Sun Nov  6 08:49:37 1994") and the cookie form with "-" separators.

#include "platform/clock/date_time.h"

#include <string>
#include <string_view>

namespace melvanto {

// The moment a date text names, in UTC. A text that cannot be read gives the zero
// date-time taken in the text's zone, which is long past.
TDateTime ReadInternetDateUtc(std::string_view text);

// The same moment in local time. Fails with ENetTimeZoneInfoUnavailable when the
// platform cannot give the local zone's offset.
TDateTime ReadInternetDate(std::string_view text);

// "Sun, 6 Nov 1994 16:49:37 +0800": the local time given, with the local zone's offset.
// Fails like ReadInternetDate, and with EConvertError for a value outside the years 1 to 9999.
std::string WriteInternetDate(TDateTime local);

} // namespace melvanto
