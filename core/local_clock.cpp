#include "core/local_clock.h"

#include <cmath>

#include "core/time_value.h"
#include "platform/win32/clock.h"

namespace Quor {

namespace {

LONGLONG ReadCounter() {
  LARGE_INTEGER frequency, count;
  if (!QueryPerformanceFrequency(&frequency) || !QueryPerformanceCounter(&count))
    return GetTickCount();
  return count.QuadPart;
}

}  // namespace

LONGLONG LocalClock::Now() {
  const LONGLONG before = ReadCounter();
  SYSTEMTIME local;
  GetLocalTime(&local);
  const LONGLONG after = ReadCounter();
  localTime = TimeValueFromSystemTime(local);
  return before + (after - before) / 2;
}

LONGLONG LocalClock::ComputeUtcOffset() {
  // The local and the universal time are two readings; a minute may turn between them, so read
  // until two offsets agree.
  LONGLONG counter = 0;
  double minutes = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    counter = Now();
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    const double previous = minutes;
    minutes = std::floor((TimeValueFromSystemTime(utc) - localTime) / 60.0 + 0.5);
    if (attempt > 0 && minutes == previous) break;
  }
  utcOffset = minutes * 60.0;
  return counter;
}

}  // namespace Quor
