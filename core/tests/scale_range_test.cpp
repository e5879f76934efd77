#include "core/scale_range.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/tests/quor_string_printer.h"

HMODULE CoreTestResources();

namespace {

using Quor::String;

constexpr double kRelativeWidth = 2.220446049250313e-11;
constexpr ScaleLimits kLimits{100, -100};

struct Result {
  bool usable;
  double first, second;
  String message;
};

Result Validate(double first, double second, const ScaleLimits& limits = kLimits) {
  Result result{false, first, second, String(u"none")};
  result.usable =
      ValidateScaleRange(limits, result.first, result.second, &result.message, CoreTestResources());
  return result;
}

TEST(ScaleRange, RangesAreTakenFromTheLimitsAndKeptWithinThem) {
  const String outside(u"Scale range must lie between 100 and -100.");
  struct Case {
    double first, second;
    bool usable;
    double validFirst, validSecond;
  } cases[] = {
      {10, 20, true, 10, 20},
      {20, -100, true, 20, -100},
      {INFINITY, 20, false, 100, 20},
      {-INFINITY, 20, false, -100, 20},
      {20, INFINITY, false, 20, 100},
      {NAN, NAN, false, 100, -100},
      {INFINITY, INFINITY, false, 100, -100},  // equal after replacement: the whole range
      {200, 20, false, 100, 20},
      {-300, 300, false, -100, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << " to " << c.second);
    const Result r = Validate(c.first, c.second);
    EXPECT_EQ(r.usable, c.usable);
    EXPECT_EQ(r.first, c.validFirst);
    EXPECT_EQ(r.second, c.validSecond);
    EXPECT_EQ(r.message, c.usable ? String(u"none") : outside);
  }
}

TEST(ScaleRange, NarrowRangesAreWidenedAboutTheirCentre) {
  const double w = kRelativeWidth * 5;
  Result r = Validate(5, 5);
  EXPECT_FALSE(r.usable);
  EXPECT_EQ(r.first, (10 - w) / 2);
  EXPECT_EQ(r.second, (10 + w) / 2);
  EXPECT_EQ(r.message, String(u"Scale range must be greater than 1.11022e-10."));

  r = Validate(0, 0);
  EXPECT_EQ(r.first, 1e-35);
  EXPECT_EQ(r.second, -1e-35);
  EXPECT_EQ(r.message, String(u"Scale range must be greater than 2.22045e-46."));

  r = Validate(5, 5 - 1e-14);  // inverted, and stays so
  EXPECT_FALSE(r.usable);
  EXPECT_GT(r.first, r.second);
  EXPECT_NEAR(r.first - r.second, w, 1e-20);
}

TEST(ScaleRange, WideningNeverPushesAnEndPastALimit) {
  const ScaleLimits limits{10, 0};
  struct Case {
    double first, second;
  } cases[] = {{10, 10}, {0, 0}, {20, 30}, {-1e-40, 1e-40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << " to " << c.second);
    const Result r = Validate(c.first, c.second, limits);
    EXPECT_FALSE(r.usable);
    for (double end : {r.first, r.second}) {
      EXPECT_LE(end, limits.upper);
      EXPECT_GE(end, limits.lower);
    }
    EXPECT_NE(r.first, r.second);
  }
  const Result top = Validate(10, 10, limits);
  EXPECT_EQ(top.second, 10);
  EXPECT_NEAR(top.second - top.first, kRelativeWidth * 10, 1e-20);
}

TEST(ScaleRange, NoMessageIsMadeWhenNoneIsAskedFor) {
  double first = 5, second = 5;
  EXPECT_FALSE(ValidateScaleRange(kLimits, first, second, nullptr, CoreTestResources()));
  EXPECT_LT(first, second);
}

}  // namespace
