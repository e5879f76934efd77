// Calendar dates as chronological Julian day numbers (1970-01-01 is 2440588); 0 means no date.
#pragma once

#include "platform/win32/types.h"

namespace Quor {

constexpr DWORD kDayNumber1970 = 2440588;
constexpr DWORD kDayNumber1899Dec30 = 2415019;

struct CalendarDate {
  int month;
  int day;
  int year;
};

bool IsLeapYear(int year);
// Month 1 to 12; 0 for any other month.
int DaysInMonth(int month, int year);
bool IsValidDate(int month, int day, int year);
// 0 for an invalid date.
DWORD DayNumber(int month, int day, int year);
CalendarDate DateFromDayNumber(DWORD dayNumber);

}  // namespace Quor
