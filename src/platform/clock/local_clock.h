#pragma once
// The system clock and the local time zone: the one place that asks the platform for them.
// The zone is the process's (TZ, else the system setting), read through localtime_r, and
// the offset used for a moment is the one in force at that moment, daylight time included.
// Where the platform cannot give it, the calls fail with ENetTimeZoneInfoUnavailable.

#include "platform/clock/date_time.h"

namespace melvanto {

// The current moment in UTC, and in local time.
TDateTime UtcNow();
TDateTime Now();

// Offset of local time from UTC, in seconds east of Greenwich, at the given UTC moment.
int LocalOffsetSeconds(TDateTime utc);

TDateTime UtcToLocal(TDateTime utc);
// A local time that the clocks skip or show twice takes one of the offsets around it.
TDateTime LocalToUtc(TDateTime local);

} // namespace melvanto
