#include "analysis/engine/data_window.h"

#include <cmath>

#include "analysis/engine/frequency_grid.h"
#include "analysis/settings/settings.h"

namespace Rhyth {

namespace {

double Weight(DWORD type, double r) {
  switch (type) {
    case kWindowTriangular: return 1 - 2 * std::fabs(r - 0.5);
    case kWindowHamming: return 0.54 - 0.46 * std::cos(kTwoPi * r);
    case kWindowBlackman: return 0.42 - 0.5 * std::cos(kTwoPi * r) + 0.08 * std::cos(2 * kTwoPi * r);
    case kWindowWelch: {
      const double d = 2 * std::fabs(r - 0.5);
      return 1 - d * d;
    }
    case kWindowHann: return 0.5 - 0.5 * std::cos(kTwoPi * r);
    default: return 1;
  }
}

}  // namespace

double SpectrumWindow(DWORD type, const double* t, double* w, DWORD n) {
  if (n == 0) return 0;
  // Beats all at one time have no span to place them in: all sit at the start.
  const double span = t[n - 1] - t[0];
  double sumOfSquares = 0;
  for (DWORD i = 0; i < n; ++i) {
    const double r = span > 0 ? (t[i] - t[0]) / span : 0.0;
    w[i] = Weight(type, r);
    sumOfSquares += w[i] * w[i];
  }
  const double meanSquare = sumOfSquares / n;
  if (meanSquare > 0 && std::isfinite(meanSquare)) {
    const double rms = std::sqrt(meanSquare);
    for (DWORD i = 0; i < n; ++i) w[i] /= rms;
  }
  return meanSquare;
}

}  // namespace Rhyth
