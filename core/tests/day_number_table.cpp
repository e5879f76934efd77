// Prints, for every month and day number 1 to 31 of the years 1900 to 2100, whether the date is
// valid, its day number, the date read back from that number and the time value of its
// midnight, for check_day_numbers.py to compare with Python's calendar.
#include <cstdio>

#include "core/calendar.h"
#include "core/time_value.h"

int main() {
  for (int year = 1900; year <= 2100; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 31; ++day) {
        const DWORD number = Quor::DayNumber(month, day, year);
        const Quor::CalendarDate back = Quor::DateFromDayNumber(number);
        const SYSTEMTIME midnight{WORD(year), WORD(month), 0, WORD(day), 0, 0, 0, 0};
        std::printf("%d %d %d %d %u %d %d %d %.1f\n", year, month, day,
                    Quor::IsValidDate(month, day, year) ? 1 : 0, number, back.year, back.month,
                    back.day, number ? Quor::TimeValueFromSystemTime(midnight) : 0.0);
      }
    }
  }
  return 0;
}
