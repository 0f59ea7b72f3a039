#pragma once

// The local time of Windows, for a time zone given by name, so that a test can choose the zone.

#include <windows.h>

#include <cstdint>

#include "platform/clock.h"

namespace kalvero {

// The moment `utcSeconds` as local time in `zone`, by the zone's rule for the year of that moment
// (dynamic daylight saving time: the rule in force then, not today's). Windows' times begin in
// 1601 and end in 30828: a moment outside is read as the nearest one inside. Without the zone's rules, in UTC.
TLocalDateTime LocalDateTimeIn(DYNAMIC_TIME_ZONE_INFORMATION zone, std::int64_t utcSeconds);

}  // namespace kalvero
