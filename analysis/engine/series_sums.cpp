#include "analysis/engine/series_sums.h"

#include <algorithm>
#include <cmath>

namespace Rhyth {

void SeriesSums::Compute(const double* values, DWORD n) {
  *this = {};
  // Deviations are summed around a mean taken relative to the first value rather than as
  // Q - n*(S/n)^2: that difference loses every digit when the spread is small against the
  // mean (RR near 1 s varying by a millisecond), and it rounds a constant series to a slightly
  // negative or positive value instead of 0.
  double origin = 0;
  double shiftedSum = 0;
  for (DWORD i = 0; i < n; ++i) {
    const double x = values[i];
    if (std::isnan(x)) continue;
    if (count == 0) origin = x;
    ++count;
    sum += x;
    sumOfSquares += x * x;
    shiftedSum += x - origin;
  }
  if (count < 2) return;
  const double shiftedMean = shiftedSum / count;
  for (DWORD i = 0; i < n; ++i) {
    if (std::isnan(values[i])) continue;
    const double d = values[i] - origin - shiftedMean;
    squaredDeviations += d * d;
  }
}

void SeriesSums::Add(double x) {
  if (std::isnan(x)) return;
  ++count;
  if (count == 1) {
    sum = x;
    sumOfSquares = x * x;
    squaredDeviations = 0;
    return;
  }
  // The two factors have the same sign in exact arithmetic; rounding may still leave the sum a
  // hair below 0, and a negative sum of squares has no square root.
  squaredDeviations += (x - (sum + x) / count) * (x - sum / (count - 1));
  squaredDeviations = std::max(squaredDeviations, 0.0);
  sum += x;
  sumOfSquares += x * x;
}

}  // namespace Rhyth
