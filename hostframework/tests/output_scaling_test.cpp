#include "hostframework/channelcalc/output_scaling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "hostframework/channelcalc/channel_calc_base.h"

namespace {

using ExtLib::OutputScaling;
using ExtLib::ScalingForRange;

// The sample a value is stored as, and the value a sample stands for.
double SampleOf(double value, const OutputScaling& s) { return (value + s.host.shift) * s.host.scale; }
double ValueOf(double sample, const OutputScaling& s) { return s.step * (sample + s.offset); }

struct RangeCase {
  float maximum, minimum;
  double step, offset, scale, shift;
};

TEST(OutputScaling, MapsTheRangeOntoSamplesMinus32000To32000) {
  const RangeCase cases[] = {
      {2.0f, -2.0f, 1.0 / 16000, 0.0, 16000.0, 0.0},
      {4.0f, 0.0f, 1.0 / 16000, 32000.0, 16000.0, -2.0},
      {120.0f, -120.0f, 240.0 / 64000, 0.0, 64000.0 / 240, 0.0},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.maximum);
    const OutputScaling s = ScalingForRange(c.maximum, c.minimum);
    EXPECT_DOUBLE_EQ(s.step, c.step);
    EXPECT_NEAR(s.offset, c.offset, 1e-9);
    EXPECT_DOUBLE_EQ(s.host.scale, c.scale);
    EXPECT_NEAR(s.host.shift, c.shift, 1e-12);
    EXPECT_NEAR(SampleOf(c.minimum, s), -32000.0, 1e-6);
    EXPECT_NEAR(SampleOf(c.maximum, s), 32000.0, 1e-6);
    EXPECT_NEAR(ValueOf(32000.0, s), c.maximum, 1e-9);
  }
}

TEST(OutputScaling, LimitsBeyond1e24AreTakenAs1e24) {
  const OutputScaling huge = ScalingForRange(1e30f, 0.0f);
  const OutputScaling clamped = ScalingForRange(1e24f, 0.0f);
  EXPECT_DOUBLE_EQ(huge.step, clamped.step);
  EXPECT_DOUBLE_EQ(huge.offset, clamped.offset);
  EXPECT_DOUBLE_EQ(ScalingForRange(0.0f, -1e30f).step, ScalingForRange(0.0f, -1e24f).step);
}

// A range without width used to give a step of 0 and a scale of 1/0: every sample became
// infinite. It now gets a narrow range about its value.
TEST(OutputScaling, ARangeWithoutWidthGetsAMinimumRangeAboutItsValue) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    float maximum, minimum;
    double held;  // a value the output must still hold
  } cases[] = {{3.0f, 3.0f, 3.0}, {0.0f, 0.0f, 0.0}, {-250.0f, -250.0f, -250.0}, {nan, nan, 1e24}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.held);
    const OutputScaling s = ScalingForRange(c.maximum, c.minimum);
    EXPECT_TRUE(std::isfinite(s.step));
    EXPECT_GT(s.step, 0.0);
    EXPECT_TRUE(std::isfinite(s.host.scale));
    EXPECT_TRUE(std::isfinite(s.host.shift));
    const double sample = SampleOf(c.held, s);
    EXPECT_LE(std::fabs(sample), 32000.0);
  }
}

TEST(OutputScaling, ANaNLimitOnOneSideIsTakenAsTheLargest) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const OutputScaling s = ScalingForRange(nan, 0.0f);
  EXPECT_DOUBLE_EQ(s.step, double(1e24f) / 64000);
  EXPECT_TRUE(std::isfinite(s.host.scale));
}

}  // namespace
