// The fixed points between which the module converts its time scales.
#pragma once

#include "platform/win32/types.h"

namespace Quor {

struct CalendarEpochs {
  FILETIME unixEpoch;        // 1970-01-01 00:00
  FILETIME automationEpoch;  // 1899-12-30 00:00, day 0 of automation dates
  double secondsFromAutomationToUnixEpoch;
  DWORD unixEpochDayNumber;
  DWORD automationEpochDayNumber;
  double secondsFrom1904To1970;
  LONGLONG ticksFromYear1To1970;  // 100-ns ticks from 0001-01-01
};

const CalendarEpochs& GetCalendarEpochs();

}  // namespace Quor
