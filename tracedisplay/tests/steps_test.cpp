#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "tracedisplay/steps/axis_steps.h"
#include "tracedisplay/steps/compression_steps.h"

using namespace PendrelDraw;

namespace {

struct AxisStepCase {
  double interval;
  double decimal;
  LONG decimalMultiplier;
  double time;
  LONG timeMultiplier;
};

TEST(AxisSteps, RoundToTheirTables) {
  const AxisStepCase cases[] = {
      {1.0, 2.0, 2, 2.0, 2},      {0.3, 0.5, 5, 0.6, 6},       {4.5, 5.0, 5, 6.0, 6},
      {4.6, 10.0, 10, 6.0, 6},    {7.0, 10.0, 10, 12.0, 12},   {15.0, 20.0, 2, 20.0, 2},
      {5.5, 10.0, 10, 6.0, 6},    {5.6, 10.0, 10, 12.0, 12},   {1.5, 2.0, 2, 2.0, 2},
      {1.6, 5.0, 5, 6.0, 6},      {9.99, 10.0, 10, 12.0, 12},  {0.002, 0.005, 5, 0.006, 6},
      {3600.0, 5000.0, 5, 6000.0, 6}};
  for (const AxisStepCase& c : cases) {
    SCOPED_TRACE(c.interval);
    double decimal = c.interval;
    LONG decimalMultiplier = 0;
    EXPECT_EQ(NiceStepDecimal(decimal, decimalMultiplier), c.decimalMultiplier);
    EXPECT_EQ(decimalMultiplier, c.decimalMultiplier);
    EXPECT_DOUBLE_EQ(decimal, c.decimal);
    double time = c.interval;
    LONG timeMultiplier = 0;
    EXPECT_EQ(NiceStepTime(time, timeMultiplier), c.timeMultiplier);
    EXPECT_EQ(timeMultiplier, c.timeMultiplier);
    EXPECT_DOUBLE_EQ(time, c.time);
  }
}

TEST(AxisSteps, LeaveIntervalsWithoutADecadeAlone) {
  const double bad[] = {0.0, -1.0, -0.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()};
  for (double value : bad) {
    SCOPED_TRACE(value);
    for (auto step : {NiceStepDecimal, NiceStepTime}) {
      double interval = value;
      LONG multiplier = 7;
      EXPECT_EQ(step(interval, multiplier), 1);
      EXPECT_EQ(multiplier, 1);
      if (std::isnan(value)) {
        EXPECT_TRUE(std::isnan(interval));
      } else {
        EXPECT_EQ(interval, value);
      }
    }
  }
}

struct CompressionStepCase {
  double value;
  double up;
  double down;
};

TEST(CompressionSteps, StepAlongOneTwoFive) {
  const CompressionStepCase cases[] = {
      {1, 2, 0.5},       {2, 5, 1},       {5, 10, 2},       {10, 20, 5},     {0.02, 0.05, 0.01},
      {0.2, 0.5, 0.1},   {5.4, 10, 2},    {5.6, 10, 5},     {3.4, 5, 2},     {7, 10, 5},
      {9.6, 20, 5},      {0.1, 0.2, 0.05}, {500000, 1e6, 200000}, {1.4, 2, 0.5}};
  for (const CompressionStepCase& c : cases) {
    SCOPED_TRACE(c.value);
    double up = c.value;
    NextStepUp(up);
    EXPECT_DOUBLE_EQ(up, c.up);
    double down = c.value;
    NextStepDown(down);
    EXPECT_DOUBLE_EQ(down, c.down);
  }
}

TEST(CompressionSteps, UpThenDownReturnsToEveryStep) {
  for (double decade = 0.1; decade < 1e6; decade *= 10) {
    for (double digit : {1.0, 2.0, 5.0}) {
      const double step = digit * decade;
      if (step > 500000 * (1 + 1e-12)) continue;
      SCOPED_TRACE(step);
      double value = step;
      NextStepUp(value);
      NextStepDown(value);
      EXPECT_NEAR(value, step, step * 1e-12);
      NextStepDown(value);
      NextStepUp(value);
      EXPECT_NEAR(value, step, step * 1e-12);
    }
  }
}

TEST(CompressionSteps, LeaveValuesWithoutALeadingDigitAlone) {
  const double bad[] = {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()};
  for (double value : bad) {
    SCOPED_TRACE(value);
    double up = value;
    NextStepUp(up);
    double down = value;
    NextStepDown(down);
    if (std::isnan(value)) {
      EXPECT_TRUE(std::isnan(up) && std::isnan(down));
    } else {
      EXPECT_EQ(up, value);
      EXPECT_EQ(down, value);
    }
  }
}

}  // namespace
