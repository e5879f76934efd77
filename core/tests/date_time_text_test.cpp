#include "core/date_time_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/local_clock.h"
#include "core/tests/quor_string_printer.h"
#include "core/tests/user_locale_fixture.h"
#include "core/time_value.h"

namespace {

using Quor::String;

String Time(double value) {
  String text;
  Quor::TimeText(value, text);
  return text;
}

String Date(double value) {
  String text;
  Quor::DateText(value, text);
  return text;
}

double At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second,
          WORD milliseconds = 0) {
  return Quor::TimeValueFromSystemTime({year, month, 0, day, hour, minute, second, milliseconds});
}

using DateTimeText = UserLocaleTest;

TEST_F(DateTimeText, TimesOnTwelveAndTwentyFourHourClocks) {
  struct Case {
    double value;
    const char16_t* twelveHour;
    const char16_t* twentyFourHour;
  } cases[] = {
      {0, u"12:00:00 AM", u"0:00:00"},
      {45296.5, u"12:34:57 PM", u"12:34:57"},
      {59.6, u"12:01:00 AM", u"0:01:00"},
      {43199.4, u"11:59:59 AM", u"11:59:59"},
      {43199.5, u"12:00:00 PM", u"12:00:00"},
      {86399.6, u"12:00:00 AM", u"0:00:00"},
      {3723.25, u"1:02:03 AM", u"1:02:03"},
      {86400 + 46800, u"1:00:00 PM", u"13:00:00"},
      {-45296.5, u"-12:34:57 PM", u"-12:34:57"},
      {At(2024, 3, 15, 14, 45, 30, 250), u"2:45:30 PM", u"14:45:30"},
      {At(2200, 1, 1, 23, 0, 5), u"11:00:05 PM", u"23:00:05"},
      {std::numeric_limits<double>::quiet_NaN(), u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(Time(c.value), String(c.twelveHour)) << c.value;
  EXPECT_EQ(Quor::AmDesignator(), u"AM");
  EXPECT_EQ(Quor::PmDesignator(), u"PM");
  EXPECT_FALSE(Quor::LocaleUses24HourClock());

  UseLocale(testing_locales::Austrian());
  for (const Case& c : cases) EXPECT_EQ(Time(c.value), String(c.twentyFourHour)) << c.value;
  EXPECT_EQ(Quor::AmDesignator(), u"");
  EXPECT_TRUE(Quor::LocaleUses24HourClock());
}

TEST_F(DateTimeText, DatesInTheUsersShortFormat) {
  struct Case {
    double value;
    const char16_t* unitedStates;
    const char16_t* austrian;
  } cases[] = {
      {At(2024, 3, 15, 14, 45, 30), u"3/15/2024", u"15.03.2024"},
      // Rounded up to midnight, as the time text rounds it.
      {At(2024, 3, 15, 23, 59, 59, 600), u"3/16/2024", u"16.03.2024"},
      {At(1971, 1, 1, 0, 0, 0), u"1/1/1971", u"01.01.1971"},
      {At(2106, 2, 8, 12, 0, 0), u"2/8/2106", u"08.02.2106"},
      {At(2200, 1, 1, 0, 0, 0), u"1/1/2200", u"01.01.2200"},
      // 1970 and earlier: a time without a date.
      {45296.5, u"", u""},
      {At(1970, 12, 31, 23, 0, 0), u"", u""},
      {At(1969, 7, 20, 20, 17, 40), u"", u""},
      {1e300, u"", u""},
      {std::numeric_limits<double>::infinity(), u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(Date(c.value), String(c.unitedStates)) << c.value;
  String text;
  Quor::FormatDateTimeText(At(2024, 3, 15, 14, 45, 30), text);
  EXPECT_EQ(text, u"3/15/2024 2:45:30 PM");

  UseLocale(testing_locales::Austrian());
  for (const Case& c : cases) EXPECT_EQ(Date(c.value), String(c.austrian)) << c.value;
  Quor::FormatDateTimeText(At(2024, 3, 15, 14, 45, 30), text);
  EXPECT_EQ(text, u"15.03.2024 14:45:30");
}

TEST_F(DateTimeText, AnOverLongDateIsCut) {
  win32::LocaleDescription wordy;
  wordy.shortDateFormat = u"'" + std::u16string(300, u'x') + u"' d";
  UseLocale(wordy);
  EXPECT_EQ(Date(At(2024, 3, 15, 0, 0, 0)), String(std::u16string(255, u'x')));
}

TEST_F(DateTimeText, NowFromTheInstalledClock) {
  // 2024-03-15 13:45:30 UTC, read an hour east of Greenwich.
  const SYSTEMTIME utc{2024, 3, 0, 15, 13, 45, 30, 0};
  FILETIME ticks;
  ASSERT_TRUE(SystemTimeToFileTime(&utc, &ticks));
  win32::SetClock(std::make_shared<win32::FixedClock>(
      (ULONGLONG(ticks.dwHighDateTime) << 32) | ticks.dwLowDateTime, 3600));
  Quor::LocalClock clock;
  clock.Now();
  String text;
  Quor::FormatDateTimeText(clock.localTime, text);
  EXPECT_EQ(text, u"3/15/2024 2:45:30 PM");
  win32::SetClock(nullptr);
}

}  // namespace
