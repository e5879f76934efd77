#include "platform/win32/clock.h"

#include <gtest/gtest.h>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

namespace {

ULONGLONG Ticks(const FILETIME& time) {
  return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0,
                WORD milliseconds = 0) {
  return SYSTEMTIME{year, month, 0, day, hour, minute, second, milliseconds};
}

class FixedClockTest : public ::testing::Test {
 protected:
  void TearDown() override { win32::SetClock(nullptr); }
};

TEST(SystemTimeToFileTime, CountsFrom1601OnBothSidesOf1970And2106) {
  struct Case {
    SYSTEMTIME time;
    ULONGLONG ticks;
  } cases[] = {
      {Time(1601, 1, 1), 0},
      {Time(1899, 12, 30), 94353120000000000},
      {Time(1970, 1, 1), 116444736000000000},
      {Time(2024, 2, 29, 23, 59, 59, 999), 133537247999990000},
      {Time(2200, 3, 1, 12, 0, 0, 250), 189077328002500000},
  };
  for (const Case& c : cases) {
    FILETIME fileTime;
    ASSERT_TRUE(SystemTimeToFileTime(&c.time, &fileTime)) << c.time.wYear;
    EXPECT_EQ(Ticks(fileTime), c.ticks) << c.time.wYear;
  }
}

TEST(SystemTimeToFileTime, RefusesFieldsOutOfRange) {
  const SYSTEMTIME bad[] = {Time(1600, 12, 31),      Time(2023, 2, 29),
                            Time(2024, 13, 1),       Time(2024, 4, 31),
                            Time(2024, 1, 0),        Time(2024, 1, 1, 24),
                            Time(2024, 1, 1, 0, 60), Time(2024, 1, 1, 0, 0, 0, 1000)};
  for (const SYSTEMTIME& time : bad) {
    FILETIME fileTime;
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&time, &fileTime))
        << time.wYear << "-" << time.wMonth << "-" << time.wDay;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
}

TEST_F(FixedClockTest, SystemAndLocalTimeReadTheInstalledClock) {
  // 2200-03-01 12:00:00.250 UTC, a Saturday, read in a zone 5 h 30 min behind UTC.
  auto clock = std::make_shared<win32::FixedClock>(189077328002500000, -19800);
  win32::SetClock(clock);
  SYSTEMTIME utc, local;
  GetSystemTime(&utc);
  GetLocalTime(&local);
  EXPECT_EQ(utc.wYear, 2200);
  EXPECT_EQ(utc.wMonth, 3);
  EXPECT_EQ(utc.wDay, 1);
  EXPECT_EQ(utc.wDayOfWeek, 6);
  EXPECT_EQ(utc.wHour, 12);
  EXPECT_EQ(utc.wMilliseconds, 250);
  EXPECT_EQ(local.wDay, 1);
  EXPECT_EQ(local.wHour, 6);
  EXPECT_EQ(local.wMinute, 30);

  // The date moves back across the day and the leap day.
  auto early = std::make_shared<win32::FixedClock>(189077328002500000 - 13 * 3600 * 10000000ull, 0);
  win32::SetClock(early);
  GetSystemTime(&utc);
  EXPECT_EQ(utc.wMonth, 2);
  EXPECT_EQ(utc.wDay, 28);  // 2200 is not a leap year
  EXPECT_EQ(utc.wDayOfWeek, 5);
  EXPECT_EQ(utc.wHour, 23);
}

TEST_F(FixedClockTest, CountersMoveOnlyWithTheClock) {
  auto clock = std::make_shared<win32::FixedClock>(116444736000000000, 0);
  win32::SetClock(clock);
  LARGE_INTEGER frequency, before, after;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  ASSERT_TRUE(QueryPerformanceCounter(&before));
  const DWORD ticksBefore = GetTickCount();
  clock->Advance(2'500'000'000);  // 2.5 s
  ASSERT_TRUE(QueryPerformanceCounter(&after));
  EXPECT_EQ(after.QuadPart - before.QuadPart, frequency.QuadPart * 5 / 2);
  EXPECT_EQ(GetTickCount() - ticksBefore, 2500u);
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  EXPECT_EQ(utc.wSecond, 2);
  EXPECT_EQ(utc.wMilliseconds, 500);
}

TEST_F(FixedClockTest, TheSystemClockComesBack) {
  win32::SetClock(std::make_shared<win32::FixedClock>(0, 0));
  win32::SetClock(nullptr);
  SYSTEMTIME now;
  GetSystemTime(&now);
  EXPECT_GE(now.wYear, 2024);
}

}  // namespace
