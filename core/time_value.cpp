#include "core/time_value.h"

#include <cmath>

#include "core/calendar.h"

namespace Quor {

double TimeValueFromSystemTime(const SYSTEMTIME& time) {
  const DWORD dayNumber = time.wYear > 99 ? DayNumber(time.wMonth, time.wDay, time.wYear) : 0;
  const double days = dayNumber ? double(LONGLONG(dayNumber) - LONGLONG(kDayNumber1970)) : 0.0;
  return days * 86400.0 + time.wHour * 3600.0 + time.wMinute * 60.0 + time.wSecond +
         time.wMilliseconds / 1000.0;
}

double DecimalRoundingOffset(int precision) { return 0.51 * std::pow(10.0, -precision); }

}  // namespace Quor
