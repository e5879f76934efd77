#include "hostframework/channelcalc/output_scaling.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ExtLib {

namespace {

constexpr float kLargestLimit = 1e24f;
constexpr double kSampleSpan = 64000.0;
constexpr double kSampleHalfSpan = 32000.0;
// The narrowest range an output gets: wide enough that its step is a number, narrow enough
// that a constant channel still shows its value.
constexpr double kMinimumHalfRange = 0.5;
constexpr double kMinimumRelativeHalfRange = 1e-6;

float ClampLimit(float limit) {
  if (std::isnan(limit) || limit > kLargestLimit) return kLargestLimit;
  return std::max(limit, -kLargestLimit);
}

}  // namespace

OutputScaling ScalingForRange(float maximum, float minimum) {
  maximum = ClampLimit(maximum);
  minimum = ClampLimit(minimum);
  float range = maximum - minimum;
  if (!std::isfinite(range)) range = std::numeric_limits<float>::max();
  if (range == 0.0f) {
    // A range of zero width would give a step of 0 and a scale of 1/0.
    const double middle = (double(maximum) + double(minimum)) / 2.0;
    const double half = std::max(kMinimumHalfRange, std::fabs(middle) * kMinimumRelativeHalfRange);
    maximum = float(middle + half);
    minimum = float(middle - half);
    range = maximum - minimum;
  }
  double step = double(range) / kSampleSpan;
  if (!std::isfinite(step)) step = 3.4028234663852886e38;
  const double offset = kSampleHalfSpan + kSampleSpan * double(minimum) / double(range);
  return {step, offset, {1.0 / step, -step * offset}};
}

}  // namespace ExtLib
