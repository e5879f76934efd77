#include "platform/win32/civil_calendar.h"

namespace win32 {

// Both directions count in 400-year eras of 146097 days, each starting on the 1st of March so
// that the leap day ends the counted year.
LONGLONG DaysFromCivil(LONGLONG year, unsigned month, unsigned day) {
  year -= month <= 2;
  const LONGLONG era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = unsigned(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + LONGLONG(dayOfEra) - 719468;
}

void CivilFromDays(LONGLONG days, LONGLONG& year, unsigned& month, unsigned& day) {
  days += 719468;
  const LONGLONG era = (days >= 0 ? days : days - 146096) / 146097;
  const unsigned dayOfEra = unsigned(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  year = LONGLONG(yearOfEra) + era * 400 + (month <= 2);
}

bool IsLeapYear(LONGLONG year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned DaysInMonth(LONGLONG year, unsigned month) {
  static constexpr unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

unsigned DayOfWeek(LONGLONG daysFrom1970) {
  const LONGLONG weekday = (daysFrom1970 + 4) % 7;  // 1970-01-01 was a Thursday
  return unsigned(weekday < 0 ? weekday + 7 : weekday);
}

}  // namespace win32
