#include "core/calendar.h"

#include <gtest/gtest.h>

#include "core/calendar_epochs.h"
#include "core/time_value.h"

namespace {

// Every date from 1900 to 2100 is checked against Python's calendar by check_day_numbers.py;
// these are the dates around and beyond that range.
TEST(Calendar, DayNumbers) {
  struct Case {
    int month, day, year;
    DWORD dayNumber;
  } cases[] = {
      {1, 1, 1970, 2440588},   {12, 30, 1899, 2415019},
      {2, 29, 2000, 2451604},  {2, 29, 2001, 0},
      {2, 29, 1600, 2305507},  {1, 1, 1, 1721426},
      {2, 8, 2106, 2490299},   {1, 1, 2200, 2524594},
      {12, 31, 9999, 5373484}, {13, 1, 2024, 0},
      {0, 1, 2024, 0},         {4, 31, 2024, 0},
      {1, 0, 2024, 0},         {1, 1, 0, 0},
      {2, 29, 1900, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Quor::DayNumber(c.month, c.day, c.year), c.dayNumber)
        << c.year << "-" << c.month << "-" << c.day;
    if (c.dayNumber) {
      const Quor::CalendarDate date = Quor::DateFromDayNumber(c.dayNumber);
      EXPECT_EQ(date.year, c.year);
      EXPECT_EQ(date.month, c.month);
      EXPECT_EQ(date.day, c.day);
    }
  }
}

TEST(Calendar, TheLargestDayNumberDoesNotOverflow) {
  const Quor::CalendarDate date = Quor::DateFromDayNumber(0xFFFFFFFF);
  EXPECT_TRUE(Quor::IsValidDate(date.month, date.day, date.year));
  EXPECT_EQ(Quor::DayNumber(date.month, date.day, date.year), 0xFFFFFFFFu);
}

TEST(TimeValue, CountsFrom1970WithoutWrapping) {
  struct Case {
    SYSTEMTIME time;
    double value;
  } cases[] = {
      {{1970, 1, 0, 2, 0, 0, 1, 500}, 86401.5},
      {{1969, 12, 0, 31, 23, 0, 0, 0}, -3600.0},
      {{1600, 2, 0, 29, 0, 0, 0, 0}, -11670998400.0},
      {{2106, 2, 0, 8, 0, 0, 0, 0}, 4295030400.0},
      {{2200, 1, 0, 1, 12, 0, 0, 0}, 7258118400.0 + 43200.0},
      // No date: the time of day alone.
      {{99, 1, 0, 1, 1, 2, 3, 0}, 3723.0},
      {{2023, 2, 0, 29, 1, 0, 0, 0}, 3600.0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Quor::TimeValueFromSystemTime(c.time), c.value) << c.time.wYear;
}

TEST(TimeValue, RoundingOffsets) {
  EXPECT_DOUBLE_EQ(Quor::DecimalRoundingOffset(0), 0.51);
  EXPECT_DOUBLE_EQ(Quor::DecimalRoundingOffset(6), 0.51e-6);
}

TEST(CalendarEpochs, AreTheCalendarsConstants) {
  const Quor::CalendarEpochs& epochs = Quor::GetCalendarEpochs();
  EXPECT_EQ(epochs.unixEpoch.dwHighDateTime, 27111902u);
  EXPECT_EQ(epochs.unixEpoch.dwLowDateTime, 3577643008u);
  EXPECT_EQ(epochs.secondsFromAutomationToUnixEpoch, 2209161600.0);
  EXPECT_EQ(epochs.unixEpochDayNumber, 2440588u);
  EXPECT_EQ(epochs.automationEpochDayNumber, 2415019u);
  EXPECT_EQ(epochs.secondsFrom1904To1970, 2082844800.0);
  EXPECT_EQ(epochs.ticksFromYear1To1970, 621355968000000000);
}

}  // namespace
