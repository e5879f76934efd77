#include "core/quor_rational.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using QuorRationalImp::bad_rational;

void ExpectFraction(const QuorRational& r, LONGLONG numerator, LONGLONG denominator) {
  EXPECT_EQ(r.Numerator(), numerator);
  EXPECT_EQ(r.Denominator(), denominator);
}

TEST(QuorRational, NormalisesToLowestTermsWithThePositiveDenominator) {
  constexpr LONGLONG kMin = std::numeric_limits<LONGLONG>::min();
  struct Case {
    LONGLONG numerator, denominator, lowestNumerator, lowestDenominator;
  } cases[] = {
      {6, -4, -3, 2}, {0, -5, 0, 1}, {-6, -4, 3, 2},           {10, 1, 10, 1},
      {7, 7, 1, 1},   {kMin, kMin, 1, 1}, {kMin, 2, kMin / 2, 1},
  };
  for (const Case& c : cases) {
    ExpectFraction(QuorRational(c.numerator, c.denominator), c.lowestNumerator,
                   c.lowestDenominator);
  }
  // Moving the sign would need -kMin, which has no 64-bit value.
  EXPECT_THROW(QuorRational(3, kMin), bad_rational);
  EXPECT_THROW(QuorRational(kMin, -1), bad_rational);
}

TEST(QuorRational, AZeroDenominatorThrows) {
  try {
    QuorRational(5, 0);
    ADD_FAILURE() << "no exception";
  } catch (const bad_rational& e) {
    EXPECT_STREQ(e.what(), "bad rational: zero denominator");
  }
}

TEST(QuorRational, GcdOfMagnitudes) {
  EXPECT_EQ(QuorRational::Gcd(-12, 18), 6u);
  EXPECT_EQ(QuorRational::Gcd(-7, 0), 7u);
  EXPECT_EQ(QuorRational::Gcd(0, 9), 9u);
  EXPECT_EQ(QuorRational::Gcd(17, 5), 1u);
}

TEST(QuorRational, FromDoubleFollowsTheContinuedFraction) {
  struct Case {
    double x;
    LONGLONG numerator, denominator;
  } cases[] = {
      {0.5, 1, 2},           {0.75, 3, 4},       {-2.0, -2, 1},
      {0.0, 0, 1},           {1.0 / 3, 1, 3},    {0.1, 1, 10},
      {M_PI, 817696623, 260280919},
      {123456.0, 123456, 1},  // an integer stops at the first step
      {1e-12, 0, 1},          {2147483647.0, 2147483647, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    ExpectFraction(QuorRational::FromDouble(c.x), c.numerator, c.denominator);
  }
}

TEST(QuorRational, ValuesWithoutA32BitFractionThrow) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  for (double x : {std::nan(""), kInfinity, -kInfinity, 2147483648.0, -1e300}) {
    EXPECT_THROW(QuorRational::FromDouble(x), bad_rational) << x;
    LONG numerator = 0, denominator = 0;
    EXPECT_THROW(ApproximateRational(x, numerator, denominator), bad_rational) << x;
  }
}

}  // namespace
