#include "core/local_clock.h"

#include <gtest/gtest.h>

#include "core/time_value.h"

namespace {

ULONGLONG UtcTicks(const SYSTEMTIME& utc) {
  FILETIME fileTime;
  EXPECT_TRUE(SystemTimeToFileTime(&utc, &fileTime));
  return (ULONGLONG(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
}

class LocalClockTest : public ::testing::Test {
 protected:
  void TearDown() override { win32::SetClock(nullptr); }
};

TEST_F(LocalClockTest, ReadsTheLocalTimeAndItsOffsetFromUniversalTime) {
  const SYSTEMTIME utc{2024, 3, 0, 15, 13, 45, 30, 250};
  struct Case {
    LONGLONG localMinusUtc;
    double utcOffset;
  } cases[] = {{3600, -3600}, {-19800, 19800}, {0, 0}, {14 * 3600, -14 * 3600}};
  for (const Case& c : cases) {
    auto clock = std::make_shared<win32::FixedClock>(UtcTicks(utc), c.localMinusUtc);
    clock->Advance(1'000'000'000);
    win32::SetClock(clock);
    Quor::LocalClock local;
    EXPECT_EQ(local.Now(), 10'000'000);  // one second of 100-ns counts
    EXPECT_DOUBLE_EQ(local.localTime,
                     Quor::TimeValueFromSystemTime(utc) + 1.0 + double(c.localMinusUtc));
    EXPECT_EQ(local.ComputeUtcOffset(), 10'000'000);
    EXPECT_EQ(local.utcOffset, c.utcOffset);
  }
}

}  // namespace
