// The limits "all beats normal" takes from the observed ranges of RR and complexity.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/markers/normal_limits.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NormalLimits, WidenTheObservedRangesByFivePercentOfTheirLargest) {
  struct Case {
    const char* what;
    Rhyth::ClassifierRanges observed;
    Rhyth::ClassifierLimits limits;
  } cases[] = {
      {"a low RR floored at 0", {0.03, 1.0, 0.9, 1.2}, {0.0, 1.05, 0.84, 1.26}},
      {"lower limits just above 0", {0.5, 1.0, 0.2, 2.0}, {0.45, 1.05, 0.1, 2.1}},
      {"a lower limit that comes out exactly 0", {0.05, 1.0, 0.1, 2.0}, {0.0, 1.05, 0.0, 2.1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto limits = Rhyth::LimitsAdmittingAll(c.observed);
    ASSERT_TRUE(limits);
    EXPECT_NEAR(limits->rrLow, c.limits.rrLow, 1e-12);
    EXPECT_NEAR(limits->rrHigh, c.limits.rrHigh, 1e-12);
    EXPECT_NEAR(limits->complexityLow, c.limits.complexityLow, 1e-12);
    EXPECT_NEAR(limits->complexityHigh, c.limits.complexityHigh, 1e-12);
  }
}

TEST(NormalLimits, NothingWithoutFiniteRanges) {
  EXPECT_FALSE(Rhyth::LimitsAdmittingAll(Rhyth::ClassifierRanges::Empty()));
  EXPECT_FALSE(Rhyth::LimitsAdmittingAll({0.8, 1.2, 1.0, kInf}));
  EXPECT_FALSE(Rhyth::LimitsAdmittingAll({0.8, 1.2, kNaN, 1.5}));
}

// A flat window gives an infinite complexity: such a beat must not widen the range, or its
// limit would be written into the fiducial formula as "inf".
TEST(NormalLimits, ABeatOfInfiniteComplexityWidensNoRange) {
  Rhyth::ClassifierRanges ranges = Rhyth::ClassifierRanges::Empty();
  ranges.Widen(0.9, kInf);
  EXPECT_DOUBLE_EQ(ranges.rrLow, 0.9);
  EXPECT_TRUE(std::isnan(ranges.ffHigh));
  ranges.Widen(1.1, 1.3);
  ranges.Widen(1.0, kInf);
  ranges.Widen(kNaN, 1.4);
  EXPECT_DOUBLE_EQ(ranges.rrHigh, 1.1);
  EXPECT_DOUBLE_EQ(ranges.ffLow, 1.3);
  EXPECT_DOUBLE_EQ(ranges.ffHigh, 1.4);
  const auto limits = Rhyth::LimitsAdmittingAll(ranges);
  ASSERT_TRUE(limits);
  EXPECT_TRUE(std::isfinite(limits->complexityHigh));
}

}  // namespace
