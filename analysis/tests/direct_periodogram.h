// The Lomb-Scargle periodogram straight from its formulas, one sine and cosine per sample and
// frequency: the reference that the engine's fast sums are held to.
#pragma once

#include <cmath>
#include <vector>

#include "analysis/engine/frequency_grid.h"

namespace RhythTest {

// The times are taken from the middle of their span, as the engine takes them: the periodogram
// does not depend on the time origin, and a day's worth of seconds times 2π·0.5 Hz would round
// every angle by some 1e-11, more than the weakest frequencies of a spectrum can bear.
inline std::vector<double> DirectPeriodogram(const std::vector<double>& times,
                                             const std::vector<double>& z,
                                             const Rhyth::FrequencyGrid& grid) {
  const std::size_t n = times.size();
  std::vector<double> t(n);
  for (std::size_t i = 0; i < n; ++i) t[i] = times[i] - (times.front() + times.back()) / 2;
  std::vector<double> power(grid.count);
  for (DWORD j = 0; j < grid.count; ++j) {
    const double omega = grid.AngularFrequency(j);
    double yc = 0, ys = 0, cc = 0, ss = 0, cs = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const double c = std::cos(omega * t[i]), s = std::sin(omega * t[i]);
      yc += z[i] * c;
      ys += z[i] * s;
      cc += c * c;
      ss += s * s;
      cs += c * s;
    }
    const double tau = std::atan2(2 * cs, cc - ss) / 2;
    const double c = std::cos(tau), s = std::sin(tau);
    const double ycTau = c * yc + s * ys, ysTau = c * ys - s * yc;
    const double ccTau = c * c * cc + 2 * c * s * cs + s * s * ss;
    const double ssTau = c * c * ss - 2 * c * s * cs + s * s * cc;
    power[j] = (ycTau * ycTau / ccTau + ysTau * ysTau / ssTau) / n;
  }
  return power;
}

// The largest difference of `value` from `reference`, relative to each reference value.
inline double LargestRelativeDifference(const std::vector<double>& value,
                                        const std::vector<double>& reference) {
  double largest = 0;
  for (std::size_t j = 0; j < reference.size(); ++j) {
    largest = std::fmax(largest, std::fabs(value[j] - reference[j]) / std::fabs(reference[j]));
  }
  return largest;
}

}  // namespace RhythTest
