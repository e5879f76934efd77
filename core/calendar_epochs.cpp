#include "core/calendar_epochs.h"

#include "core/calendar.h"
#include "platform/win32/clock.h"

namespace Quor {

namespace {

FILETIME FileTimeOf(WORD year, WORD month, WORD day) {
  const SYSTEMTIME time{year, month, 0, day, 0, 0, 0, 0};
  FILETIME fileTime{};
  SystemTimeToFileTime(&time, &fileTime);
  return fileTime;
}

ULONGLONG Ticks(const FILETIME& time) {
  return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

CalendarEpochs BuildEpochs() {
  CalendarEpochs epochs;
  epochs.unixEpoch = FileTimeOf(1970, 1, 1);
  epochs.automationEpoch = FileTimeOf(1899, 12, 30);
  epochs.secondsFromAutomationToUnixEpoch =
      double(Ticks(epochs.unixEpoch) - Ticks(epochs.automationEpoch)) / 1e7;
  epochs.unixEpochDayNumber = kDayNumber1970;
  epochs.automationEpochDayNumber = kDayNumber1899Dec30;
  epochs.secondsFrom1904To1970 = 2082844800.0;
  epochs.ticksFromYear1To1970 = 621355968000000000;
  return epochs;
}

// Built at load, so that readers on any thread never race on the first use.
[[maybe_unused]] const CalendarEpochs& loadTimeEpochs = GetCalendarEpochs();

}  // namespace

const CalendarEpochs& GetCalendarEpochs() {
  static const CalendarEpochs epochs = BuildEpochs();
  return epochs;
}

}  // namespace Quor
