#include "core/scale_range.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/branded_strings.h"
#include "core/format_stream.h"

namespace {

// The narrowest range allowed, relative to the magnitude of its larger end.
constexpr double kRelativeWidthLimit = 2.220446049250313e-11;
// Below this magnitude the relative width would underflow.
const double kSmallestMagnitude = std::max(DBL_MIN / kRelativeWidthLimit, 1e-35);
constexpr double kSmallestWidth = 1.1754943508222875e-38;

enum class Status { kUsable, kOutsideLimits, kTooNarrow };

void Report(Status& status, Status problem) {
  if (status == Status::kUsable) status = problem;
}

// A missing end is taken from the limit on its side of the other end.
void ReplaceNonFinite(const ScaleLimits& limits, double& first, double& second) {
  if (std::isfinite(first) && std::isfinite(second)) return;
  if (!std::isfinite(first)) first = !(second > first) ? limits.upper : limits.lower;
  if (!std::isfinite(second)) second = !(second > first) ? limits.lower : limits.upper;
  if (first == second) {
    first = limits.upper;
    second = limits.lower;
  }
}

double Clamped(const ScaleLimits& limits, double value) {
  return std::min(std::max(value, limits.lower), limits.upper);
}

// Widens the range to `width` about its centre; the end that was lower stays lower.
void Widen(double& first, double& second, double width) {
  const double sum = first + second;
  const double low = (sum - width) / 2;
  const double high = (sum + width) / 2;
  if (first <= second) {
    first = low;
    second = high;
  } else {
    first = high;
    second = low;
  }
}

// Widening about a centre near a limit pushes an end past it: the range moves back inside,
// keeping its width where the limits allow.
void KeepInside(const ScaleLimits& limits, double& first, double& second) {
  const double low = std::min(first, second);
  const double high = std::max(first, second);
  double shift = 0;
  if (high > limits.upper) {
    shift = limits.upper - high;
  } else if (low < limits.lower) {
    shift = limits.lower - low;
  }
  first = Clamped(limits, first + shift);
  second = Clamped(limits, second + shift);
}

Quor::String Message(Status status, const ScaleLimits& limits, double magnitude, HMODULE module) {
  if (status == Status::kOutsideLimits) {
    return Quor::Format(Quor::LoadResourceString(module, kScaleRangeOutsideLimitsText, true),
                        limits.upper, limits.lower);
  }
  return Quor::Format(Quor::LoadResourceString(module, kScaleRangeTooNarrowText, true),
                      kRelativeWidthLimit * magnitude);
}

}  // namespace

bool ValidateScaleRange(const ScaleLimits& limits, double& first, double& second,
                        Quor::String* message, HMODULE textModule) {
  Status status = Status::kUsable;
  double a = first, b = second;
  ReplaceNonFinite(limits, a, b);
  a = Clamped(limits, a);
  b = Clamped(limits, b);
  if (!(a == first && b == second)) status = Status::kOutsideLimits;

  bool widened = false;
  double magnitude = std::max(std::fabs(a), std::fabs(b));
  if (magnitude < kSmallestMagnitude) {
    Report(status, Status::kTooNarrow);
    widened = true;
    a = std::copysign(kSmallestMagnitude, a);
    b = -a;
    magnitude = kSmallestMagnitude;
  }
  if (std::fabs(a - b) / magnitude < kRelativeWidthLimit) {
    Report(status, Status::kTooNarrow);
    Widen(a, b, kRelativeWidthLimit * magnitude);
    widened = true;
  }
  if (std::fabs(a - b) <= kSmallestWidth) {
    Report(status, Status::kTooNarrow);
    Widen(a, b, kSmallestWidth);
    widened = true;
  }
  if (widened) KeepInside(limits, a, b);

  first = a;
  second = b;
  if (status == Status::kUsable) return true;
  if (message) *message = Message(status, limits, magnitude, textModule);
  return false;
}
