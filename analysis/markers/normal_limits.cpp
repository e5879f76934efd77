#include "analysis/markers/normal_limits.h"

#include <cmath>

namespace Rhyth {

namespace {

constexpr double kMargin = 0.05;

bool Known(double low, double high) { return std::isfinite(low) && std::isfinite(high); }

double Floored(double limit) { return limit <= 0.0 ? 0.0 : limit; }

}  // namespace

std::optional<ClassifierLimits> LimitsAdmittingAll(const ClassifierRanges& observed) {
  if (!Known(observed.rrLow, observed.rrHigh) || !Known(observed.ffLow, observed.ffHigh)) {
    return std::nullopt;
  }
  ClassifierLimits limits;
  limits.rrLow = Floored(observed.rrLow - kMargin * observed.rrHigh);
  limits.rrHigh = observed.rrHigh + kMargin * observed.rrHigh;
  limits.complexityLow = Floored(observed.ffLow - kMargin * observed.ffHigh);
  limits.complexityHigh = observed.ffHigh + kMargin * observed.ffHigh;
  return limits;
}

}  // namespace Rhyth
