#include "analysis/engine/time_domain_statistics.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/settings/change_flags.h"

namespace Rhyth {

namespace {

// Scott's rule, with the RR count for both histograms.
double AutomaticBinWidth(double squaredDeviations, DWORD n) {
  const double variance = n < 2 ? 0.0 : squaredDeviations / (n - 1);
  return n == 0 ? 0.0 : 3.5 * std::sqrt(variance) / std::cbrt(double(n));
}

}  // namespace

bool ExceedsThreshold(double delta, double threshold) {
  const double size = std::fabs(delta);
  constexpr double kRounding = 1e-9;
  return size - threshold > kRounding * std::max(size, std::fabs(threshold));
}

double ExactMedian(const double* values, DWORD n) {
  if (n == 0) return 0;
  std::vector<double> sorted(values, values + n);
  const auto middle = sorted.begin() + n / 2;
  std::nth_element(sorted.begin(), middle, sorted.end());
  if (n % 2) return *middle;
  const double below = *std::max_element(sorted.begin(), middle);
  return (below + *middle) / 2;
}

void TimeDomainStatistics::Clear() {
  rrHistogram.Clear();
  deltaHistogram.Clear();
  rr = delta = rate = {};
  intervalCount = largeDifferenceCount = 0;
  threshold = medianRR = 0;
}

bool TimeDomainStatistics::FullPass(DWORD flags, const double* rrSeries,
                                    const double* deltaSeries, const double* rateSeries, DWORD n,
                                    const AnalysisParams& settings) {
  if (!(flags & kTimeDomainPass)) return false;
  intervalCount = n;
  if (flags & kChangeSums) {
    rr.Compute(rrSeries, n);
    delta.Compute(deltaSeries, n);
    rate.Compute(rateSeries, n);
  }
  if (flags & kChangeHistograms) {
    const bool automatic = (settings.automaticBinWidth & 0xFF) != 0;
    rrHistogram.Build(rrSeries, n,
                      automatic ? AutomaticBinWidth(rr.squaredDeviations, n) : settings.binWidth);
    deltaHistogram.Build(
        deltaSeries, n,
        automatic ? AutomaticBinWidth(delta.squaredDeviations, n) : settings.binWidth);
  }
  if (flags & kChangePrrx) {
    threshold = settings.prrxThreshold;
    CountLargeDifferences(deltaSeries, n);
    medianRR = ExactMedian(rrSeries, n);
  }
  return true;
}

void TimeDomainStatistics::CountLargeDifferences(const double* deltaSeries, DWORD n) {
  largeDifferenceCount = static_cast<DWORD>(std::count_if(
      deltaSeries, deltaSeries + n, [this](double d) { return ExceedsThreshold(d, threshold); }));
}

void TimeDomainStatistics::AddBeat(double rrValue, double deltaValue, double rateValue) {
  ++intervalCount;
  rr.Add(rrValue);
  rate.Add(rateValue);
  rrHistogram.Add(rrValue);
  medianRR = rrHistogram.Median(intervalCount);
  if (std::isnan(deltaValue)) return;
  delta.Add(deltaValue);
  deltaHistogram.Add(deltaValue);
  if (ExceedsThreshold(deltaValue, threshold)) ++largeDifferenceCount;
}

double TimeDomainStatistics::MeanRR() const {
  return intervalCount ? rr.sum / intervalCount : 0;
}

double TimeDomainStatistics::SDRR() const {
  return intervalCount < 2 ? 0 : std::sqrt(rr.squaredDeviations / (intervalCount - 1));
}

// A zero mean gives NaN, which readers pass on as the value.
double TimeDomainStatistics::CVRR() const { return SDRR() / MeanRR(); }

double TimeDomainStatistics::MeanRate() const {
  return intervalCount ? 60 * rate.sum / intervalCount : 0;
}

double TimeDomainStatistics::SDRate() const {
  return intervalCount < 2 ? 0 : 60 * std::sqrt(rate.squaredDeviations / (intervalCount - 1));
}

double TimeDomainStatistics::SDSD() const {
  return intervalCount < 2 ? 0 : std::sqrt(delta.squaredDeviations / (intervalCount - 1));
}

double TimeDomainStatistics::RMSSD() const {
  return intervalCount ? std::sqrt(delta.sumOfSquares / intervalCount) : 0;
}

double TimeDomainStatistics::PRRx() const {
  return intervalCount ? 100.0 * largeDifferenceCount / intervalCount : 0;
}

double TimeDomainStatistics::SD1() const { return std::sqrt(0.5) * SDSD(); }

// The term under the root is a variance, and 0 for a steady rhythm; rounding can take it just
// below 0, where the root would be NaN.
double TimeDomainStatistics::SD2() const {
  if (intervalCount < 2) return 0;
  const double m = intervalCount - 1;
  return std::sqrt(std::max(0.0, 2 * rr.squaredDeviations / m - 0.5 * delta.squaredDeviations / m));
}

}  // namespace Rhyth
