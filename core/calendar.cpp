#include "core/calendar.h"

namespace Quor {

namespace {
// Entry 0 is unused so that months index the table directly.
constexpr int kDaysInMonth[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int month, int year) {
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDaysInMonth[month];
}

bool IsValidDate(int month, int day, int year) {
  // There is no year 0; the day arithmetic below counts from year 1.
  return year >= 1 && day >= 1 && day <= DaysInMonth(month, year);
}

// The year is counted from March so that the leap day comes last: months then have a fixed
// pattern of lengths (153 days every 5 months) and years of 1461 days every 4.
DWORD DayNumber(int month, int day, int year) {
  if (!IsValidDate(month, day, year)) return 0;
  const LONGLONG m = month > 2 ? month - 3 : month + 9;
  const LONGLONG y = month > 2 ? year : year - 1;
  const LONGLONG c = y / 100;
  const LONGLONG r = y - 100 * c;
  return DWORD(day + 1721119 + (153 * m + 2) / 5 + (1461 * r) / 4 + (146097 * c) / 4);
}

CalendarDate DateFromDayNumber(DWORD dayNumber) {
  // 64 bits: four times a day number past 2106 does not fit 32.
  const LONGLONG j = 4 * LONGLONG(dayNumber) - 6884477;
  const LONGLONG c = j / 146097;
  const LONGLONG d = (j - 146097 * c) & ~LONGLONG(3);
  const LONGLONG y = (d + 3) / 1461;
  const LONGLONG e = ((d + 3 - 1461 * y + 4) / 4) * 5;
  const LONGLONG m = (e - 3) / 153;
  CalendarDate date;
  date.day = int((e - 153 * m + 2) / 5);
  date.year = int(100 * c + y);
  date.month = int(m + 3);
  if (m >= 10) {
    date.month = int(m - 9);
    date.year += 1;
  }
  return date;
}

}  // namespace Quor
