#include "tracedisplay/steps/axis_steps.h"

#include <cmath>
#include <span>

namespace PendrelDraw {

namespace {

constexpr double kDecimalFactors[] = {1, 2, 5, 10};
constexpr double kTimeFactors[] = {1, 2, 6, 12, 24};

LONG NiceStep(double& interval, LONG& multiplier, std::span<const double> factors) {
  if (!std::isfinite(interval) || interval <= 0.0) {
    multiplier = 1;
    return multiplier;
  }
  const double decade = std::pow(10.0, std::floor(std::log10(interval)));
  const double rounded = interval / decade + 0.5;
  double factor = factors.back();
  for (double candidate : factors) {
    if (candidate >= rounded) {
      factor = candidate;
      break;
    }
  }
  multiplier = LONG(factor);
  interval = factor * decade;
  return multiplier;
}

}  // namespace

LONG NiceStepDecimal(double& interval, LONG& multiplier) {
  return NiceStep(interval, multiplier, kDecimalFactors);
}

LONG NiceStepTime(double& interval, LONG& multiplier) {
  return NiceStep(interval, multiplier, kTimeFactors);
}

}  // namespace PendrelDraw
