// The local time with a high-resolution reading of when it was taken, and the offset of the local
// time from universal time.
#pragma once

#include "platform/win32/types.h"

namespace Quor {

struct LocalClock {
  // Seconds since 1970-01-01 in local time, at the last reading.
  double localTime = 0;
  // UTC minus local time in seconds: a whole number of minutes.
  double utcOffset = 0;

  // Reads the local time between two counter readings; returns their mean, the counter value
  // that best matches the time read.
  LONGLONG Now();
  // Returns the counter value of the last reading.
  LONGLONG ComputeUtcOffset();
};

}  // namespace Quor
