// Time values: double seconds since 1970-01-01 00:00 in local time. Dates before 1970 are
// negative; nothing wraps.
#pragma once

#include "platform/win32/clock.h"

namespace Quor {

// Years up to 99 carry no date: the value is the time of day alone.
double TimeValueFromSystemTime(const SYSTEMTIME& time);

// Half a unit and a little of the last shown decimal: added before truncating, it rounds and
// keeps a value a hair below the next unit from showing as that unit's upper limit.
double DecimalRoundingOffset(int precision);

}  // namespace Quor
