#include "tracedisplay/steps/compression_steps.h"

#include <cmath>

namespace PendrelDraw {

namespace {

// 10^exponent by repeated squaring, so that the steps of one decade are exact multiples of the
// same power whatever the exponent's sign.
double PowerOfTen(int exponent) {
  double result = 1.0;
  double base = 10.0;
  for (unsigned n = unsigned(std::abs(exponent)); n; n >>= 1) {
    if (n & 1) result *= base;
    base *= base;
  }
  return exponent < 0 ? 1.0 / result : result;
}

struct LeadingDigit {
  int exponent;
  double decade;
  int digit;  // 1 to 10
};

LeadingDigit Split(double value) {
  const int exponent = int(std::floor(std::log10(value)));
  const double decade = PowerOfTen(exponent);
  return {exponent, decade, int(value / decade + 0.5)};
}

// A zero, negative or non-finite value has no leading digit: the steps leave it as it is.
bool HasSteps(double value) { return std::isfinite(value) && value > 0.0; }

}  // namespace

void NextStepUp(double& value) {
  if (!HasSteps(value)) return;
  const LeadingDigit d = Split(value);
  const int next = d.digit < 2 ? 2 : d.digit < 5 ? 5 : d.digit < 10 ? 10 : 20;
  value = next * d.decade;
}

void NextStepDown(double& value) {
  if (!HasSteps(value)) return;
  const LeadingDigit d = Split(value);
  if (d.digit >= 6) {
    value = 5 * d.decade;
  } else if (d.digit >= 3) {
    value = 2 * d.decade;
  } else if (d.digit == 2) {
    value = d.decade;
  } else {
    value = 5 * PowerOfTen(d.exponent - 1);
  }
}

}  // namespace PendrelDraw
