#include "analysis/engine/lomb_scargle.h"

#include <cmath>
#include <vector>

#include "analysis/engine/linear_fit.h"
#include "analysis/engine/periodogram_sums.h"
#include "analysis/engine/data_window.h"

namespace Rhyth {

namespace {

// A basis function that vanishes on every sample (CC' or SS' exactly 0) carries no power; its
// projection YC' or YS' is 0 as well, and 0/0 must not turn the whole band into NaN.
double Projection(double sum, double norm) { return norm == 0 ? 0.0 : sum * sum / norm; }

double PowerAt(const PeriodogramSums& s, DWORD j, DWORD n) {
  const double cs = s.cs[j], cc = s.cc[j], ss = s.ss[j], yc = s.yc[j], ys = s.ys[j];
  // When CS and CC - SS are both 0 every phase is as good as any: take 0, not atan(NaN).
  const double numerator = 2 * cs;
  const double denominator = cc - ss;
  const double omegaTau =
      numerator == 0 && denominator == 0 ? 0.0 : std::atan(numerator / denominator) / 2;
  const double c = std::cos(omegaTau);
  const double sn = std::sin(omegaTau);
  const double ycTau = c * yc + sn * ys;
  const double ysTau = c * ys - sn * yc;
  const double ccTau = c * c * cc + 2 * c * sn * cs + sn * sn * ss;
  const double ssTau = c * c * ss - 2 * c * sn * cs + sn * sn * cc;
  return (Projection(ycTau, ccTau) + Projection(ysTau, ssTau)) / n;
}

}  // namespace

void DetrendAndWindow(DWORD windowType, const double* t, const double* y, DWORD n, double* z) {
  const Line trend = TrendLine(t, y, n);
  SpectrumWindow(windowType, t, z, n);
  for (DWORD i = 0; i < n; ++i) z[i] = (y[i] - trend.At(t[i])) * z[i];
}

void LombScarglePeriodogram(DWORD windowType, const double* t, const double* y, DWORD n,
                            const FrequencyGrid& grid, double* power) {
  if (n == 0) {
    for (DWORD j = 0; j < grid.count; ++j) power[j] = 0;
    return;
  }
  std::vector<double> z(n);
  DetrendAndWindow(windowType, t, y, n, z.data());
  std::vector<double> shifted(n);
  const double middle = (t[0] + t[n - 1]) / 2;
  for (DWORD i = 0; i < n; ++i) shifted[i] = t[i] - middle;
  const PeriodogramSums sums = ComputePeriodogramSums(shifted.data(), z.data(), n, grid);
  for (DWORD j = 0; j < grid.count; ++j) {
    power[j] = grid.AngularFrequency(j) == 0.0 ? 0.0 : PowerAt(sums, j, n);
  }
}

}  // namespace Rhyth
