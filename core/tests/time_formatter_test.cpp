#include "core/time_formatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "core/tests/quor_string_printer.h"
#include "core/tests/user_locale_fixture.h"

namespace {

using Quor::ClockTime;
using Quor::String;
using Quor::TimeFormatter;

constexpr ClockTime kNoTime{0, 0};
constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

TimeFormatter Formatter(DWORD mode, double value) {
  TimeFormatter formatter;
  formatter.SetValue(mode, kNoTime, kNoTime, true, value);
  return formatter;
}

String Written(const TimeFormatter& formatter, DWORD flags) {
  std::wostringstream out;
  out.imbue(Quor::LocaleInfo::Instance().locale);
  formatter.Write(out, flags);
  const std::wstring text = out.str();
  return String(std::u16string(text.begin(), text.end()));
}

using TimeFormatterTest = UserLocaleTest;

TEST_F(TimeFormatterTest, ElapsedTimes) {
  struct Case {
    double value;
    const char16_t* text;
  } cases[] = {
      {3725.5, u"1:02:05.5"},
      {65.25, u"1:05.25"},
      {5.5, u"5.5"},
      {60, u"1:00"},
      {0, u"0"},
      {12, u"12"},
      {7200, u"2:00:00"},
      {36000.125, u"10:00:00.125"},
      {90000, u"25:00:00"},
      {1.000001, u"1.000001"},
      {4e-7, u"0"},
      {59.9999997, u"1:00"},
      {3599.9999999, u"1:00:00"},
      {-0.5, u"-0.5"},
      {-1e-7, u"0"},
      {-3725.5, u"-1:02:05.5"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Formatter(TimeFormatter::kElapsedMode, c.value).Format(), String(c.text)) << c.value;

  UseLocale(testing_locales::Austrian());
  EXPECT_EQ(Formatter(TimeFormatter::kElapsedMode, 3725.5).Format(), u"1:02:05,5");
}

TEST_F(TimeFormatterTest, FormatFlags) {
  using F = TimeFormatter;
  struct Case {
    double value;
    DWORD flags;
    const char16_t* text;
  } cases[] = {
      {3725.5, F::kElapsedFormat | F::kUnitLetters, u"1h02m05.5s"},
      {65, F::kElapsedFormat | F::kUnitLetters, u"1m05s"},
      {5.5, F::kElapsedFormat | F::kKeepTrailingZeros, u"5.500000"},
      {5, F::kElapsedFormat | F::kAlwaysHoursMinutes, u"0:00:05.0"},
      {5.5, F::kElapsedFormat | F::kUnitSuffix, u"5.5 s"},
      {65, F::kElapsedFormat | F::kUnitSuffix, u"1:05"},
      // Without the elapsed format: always hours and minutes, hours of the day.
      {90005, 0, u"1:00:05"},
      {90005, F::kTwelveHourClock, u"1:00:05 AM"},
      {3725.5, F::kElapsedFormat | F::kTwelveHourClock, u"1:02:05.5"},  // no clock in elapsed time
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Written(Formatter(F::kElapsedMode, c.value), c.flags), String(c.text))
        << c.value << " " << std::hex << c.flags;
  }
}

TEST_F(TimeFormatterTest, ClockTimes) {
  using F = TimeFormatter;
  const double midnight = 1710460800;  // 2024-03-15 00:00 local time
  struct Case {
    DWORD mode;
    ClockTime position;
    double offset;
    const char16_t* twelveHour;
    const char16_t* twentyFourHour;
  } cases[] = {
      {F::kClockTimeMode, {midnight, 0}, 45296.5, u"12:34:56.5 PM", u"12:34:56,5"},
      {F::kClockTimeMode, {midnight, 0}, 5.5, u"12:00:05.5 AM", u"0:00:05,5"},
      {F::kClockTimeMode, {midnight, 0}, 46800, u"1:00:00 PM", u"13:00:00"},
      {F::kClockTimeMode, {midnight, 3600}, 86399.9999999, u"12:00:00 AM", u"0:00:00"},
      // In universal time: the local time plus its offset, on a 24-hour clock.
      {F::kClockTimeMode | F::kUniversalTime, {midnight, -3600}, 3600, u"0:00:00", u"0:00:00"},
      {F::kClockTimeMode | F::kUniversalTime, {midnight, kUnknown}, 3600, u"1:00:00", u"1:00:00"},
  };
  for (const Case& c : cases) {
    TimeFormatter formatter;
    formatter.SetValue(c.mode, c.position, kNoTime, false, c.offset);
    EXPECT_EQ(formatter.Format(), String(c.twelveHour)) << c.offset;
  }
  TimeFormatter universal;
  universal.SetValue(F::kClockTimeMode | F::kUniversalTime, {midnight, -3600}, kNoTime, false,
                     7200);
  EXPECT_EQ(Written(universal, F::kUniversalTimeSuffix), u"1:00:00 UT");

  UseLocale(testing_locales::Austrian());
  for (const Case& c : cases) {
    TimeFormatter formatter;
    formatter.SetValue(c.mode, c.position, kNoTime, false, c.offset);
    EXPECT_EQ(formatter.Format(), String(c.twentyFourHour)) << c.offset;
  }
}

TEST_F(TimeFormatterTest, RelativeTimesUseUniversalTimeWhenKnown) {
  struct Case {
    ClockTime position, reference;
    bool absolute;
    double offset;
    const char16_t* text;
  } cases[] = {
      // The clocks went forward an hour between the two times: 40 minutes passed, not 100.
      {{7200, -7200}, {1200, -3600}, false, 0, u"40:00"},
      {{7200, kUnknown}, {1200, -3600}, false, 0, u"1:40:00"},
      {{7200, 0}, {1200, 0}, false, -30, u"1:39:30"},
      {{7200, 0}, {1200, 0}, true, -30, u"-30"},
  };
  for (const Case& c : cases) {
    TimeFormatter formatter;
    formatter.SetValue(TimeFormatter::kRelativeMode, c.position, c.reference, c.absolute, c.offset);
    EXPECT_EQ(formatter.Format(), String(c.text));
  }
}

TEST_F(TimeFormatterTest, MillisecondsTotalAndPlainSeconds) {
  using F = TimeFormatter;
  struct Case {
    DWORD mode;
    double value;
    DWORD flags;
    const char16_t* text;
  } cases[] = {
      {F::kElapsedMode | F::kMilliseconds, 1.5, 0, u"1500"},
      {F::kElapsedMode | F::kMilliseconds, -0.0025, F::kUnitSuffix, u"-2.5 ms"},
      {F::kElapsedMode | F::kMilliseconds, 3725.5, F::kUnitSuffix | F::kElapsedFormat,
       u"3725500 ms"},
      {F::kElapsedMode | F::kTotalSeconds, 3725.5, F::kUnitSuffix, u"3725.5 s"},
      {F::kElapsedMode | F::kTotalSeconds, 59.9999997, 0, u"60"},
      {F::kElapsedMode | F::kPlain, 5, 0, u"5.0"},
      {F::kElapsedMode | F::kPlain, 3725.25, F::kUnitSuffix, u"3725.25"},
      {F::kElapsedMode | F::kPlain, -0.5, 0, u"-0.5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Written(Formatter(c.mode, c.value), c.flags), String(c.text)) << c.value;
  }
  // Clock times are never milliseconds.
  EXPECT_EQ(Written(Formatter(F::kClockTimeMode | F::kMilliseconds, 1.5), 0), u"0:00:01.5");
}

TEST_F(TimeFormatterTest, SecondsAHairBelowAMinuteCarry) {
  TimeFormatter formatter;
  formatter.SplitSeconds(59.9999997);
  EXPECT_EQ(formatter.minutes, 1);
  EXPECT_EQ(formatter.seconds, 0);
  EXPECT_NEAR(formatter.carry, 3e-7, 1e-12);
  EXPECT_DOUBLE_EQ(formatter.TotalSeconds(0), 59.9999997);
  // The fields hold the magnitude: a negative value takes its carry back the same way.
  formatter.SplitSeconds(-59.9999997);
  EXPECT_TRUE(formatter.negative);
  EXPECT_NEAR(formatter.carry, -3e-7, 1e-12);
  EXPECT_DOUBLE_EQ(formatter.TotalSeconds(0), -59.9999997);
  formatter.AddSeconds(59.9999997);
  EXPECT_NEAR(formatter.TotalSeconds(0), 0, 1e-9);
}

TEST_F(TimeFormatterTest, TotalSecondsDoNotWrap) {
  TimeFormatter formatter;
  for (double value : {2147483647.0, 1e10, -1e10, 90000.5}) {
    formatter.SplitSeconds(value);
    EXPECT_EQ(formatter.TotalSeconds(0), value);
  }
  EXPECT_EQ(formatter.TotalSeconds(TimeFormatter::kHoursModulo24), 3600.5);
}

TEST_F(TimeFormatterTest, UseSixDecimalsKeepsTheValue) {
  TimeFormatter formatter;
  formatter.precision = 3;
  formatter.roundingOffset = 0.51e-3;
  formatter.SplitSeconds(59.9996);  // rounds up at three decimals
  EXPECT_EQ(formatter.minutes, 1);
  formatter.UseSixDecimals();
  EXPECT_EQ(formatter.precision, 6);
  EXPECT_EQ(formatter.minutes, 0);
  EXPECT_NEAR(formatter.seconds, 59.9996, 1e-9);
}

TEST_F(TimeFormatterTest, AddSecondsAcrossZero) {
  TimeFormatter formatter = Formatter(TimeFormatter::kElapsedMode, 65);
  formatter.AddSeconds(-70);
  EXPECT_TRUE(formatter.negative);
  EXPECT_EQ(formatter.hours, 0);
  EXPECT_EQ(formatter.minutes, 0);
  EXPECT_EQ(formatter.seconds, 5);
  EXPECT_EQ(formatter.Format(), u"-5");
}

// An axis steps from label to label by additions; every label must read as if its value had
// been split afresh.
TEST_F(TimeFormatterTest, RepeatedAdditionsEqualTheSplitOfTheTotal) {
  struct Case {
    double start, step;
    int count;
  } cases[] = {
      {-30, 0.25, 240},
      {0, 0.1, 1000},
      {3500, -7.3, 1000},
      {-10000, 1234.5, 20},
      {7300, -3700, 5},
      {86399, 0.003, 500},
      {-60.0000008, 0.0000002, 20},
      {59.99999, 0.0000004, 50},
  };
  for (const Case& c : cases) {
    TimeFormatter stepped = Formatter(TimeFormatter::kElapsedMode, c.start);
    for (int k = 1; k <= c.count; ++k) {
      stepped.AddSeconds(c.step);
      const double total = c.start + k * c.step;
      const TimeFormatter split = Formatter(TimeFormatter::kElapsedMode, total);
      ASSERT_EQ(stepped.Format(), split.Format()) << c.start << " + " << k << " x " << c.step;
      ASSERT_NEAR(stepped.TotalSeconds(0), total, 1e-6 + std::fabs(total) * 1e-12)
          << c.start << " + " << k << " x " << c.step;
    }
  }
}

}  // namespace
