#include "analysis/engine/linear_fit.h"

#include <cmath>

namespace Rhyth {

namespace {

// The mean taken relative to the first value: exactly that value for a constant series, where
// the plain sum over n would round away from it.
double Mean(const double* values, DWORD n) {
  if (n == 0) return 0;
  double shifted = 0;
  for (DWORD i = 0; i < n; ++i) shifted += values[i] - values[0];
  return values[0] + shifted / n;
}

}  // namespace

bool LinearFit(const double* t, const double* y, DWORD n, Line& line) {
  if (n < 2) return false;
  // Sums of centred products: the same S_tt, S_ty and S_yy as sum(t²) - n·mean², without the
  // cancellation that ruins them for beat times hours into a recording.
  const double meanT = Mean(t, n);
  const double meanY = Mean(y, n);
  double stt = 0, sty = 0, syy = 0;
  for (DWORD i = 0; i < n; ++i) {
    const double dt = t[i] - meanT;
    const double dy = y[i] - meanY;
    stt += dt * dt;
    sty += dt * dy;
    syy += dy * dy;
  }
  constexpr double kEpsilon = 2.220446049250313e-16;
  if (std::fabs(stt) <= kEpsilon || std::fabs(syy) <= kEpsilon) return false;
  line.slope = sty / stt;
  line.intercept = meanY - line.slope * meanT;
  return true;
}

Line TrendLine(const double* t, const double* y, DWORD n) {
  Line line;
  if (!LinearFit(t, y, n, line)) line = {0.0, Mean(y, n)};
  return line;
}

}  // namespace Rhyth
