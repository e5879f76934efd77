#include "analysis/detection/hjorth_measures.h"

#include <cmath>
#include <vector>

#include "analysis/detection/moving_average.h"

namespace Rhyth {

namespace {

// One-sided differences at the ends, centred ones inside; nothing for fewer than two values.
template <class T>
std::vector<double> Gradient(std::span<const T> x, double interval) {
  const std::size_t k = x.size();
  if (k < 2) return {};
  std::vector<double> slope(k);
  slope[0] = (double(x[1]) - double(x[0])) / interval;
  for (std::size_t i = 1; i + 1 < k; ++i) {
    slope[i] = (double(x[i + 1]) - double(x[i - 1])) / (2.0 * interval);
  }
  slope[k - 1] = (double(x[k - 1]) - double(x[k - 2])) / interval;
  return slope;
}

// The sample variance (divided by k - 1); 0 for fewer than two values.
template <class T>
double SampleVariance(std::span<const T> x) {
  const std::size_t k = x.size();
  if (k < 2) return 0.0;
  double sum = 0.0, squares = 0.0;
  for (const T value : x) {
    sum += double(value);
    squares += double(value) * double(value);
  }
  const double mean = sum / double(k);
  return (squares - double(k) * mean * mean) / double(k - 1);
}

}  // namespace

HjorthValues HjorthMeasures(std::span<const float> samples, double interval,
                            std::size_t smoothing) {
  const std::vector<double> slope = Gradient(samples, interval);
  const std::vector<double> smoothed = MovingAverage(slope, smoothing);
  const std::vector<double> curvature = Gradient(std::span<const double>(smoothed), interval);
  const double variance = SampleVariance(samples);
  const double slopeVariance = SampleVariance(std::span<const double>(smoothed));
  const double curvatureVariance = SampleVariance(std::span<const double>(curvature));
  return {variance, std::sqrt(slopeVariance / variance),
          std::sqrt(curvatureVariance * variance) / slopeVariance};
}

}  // namespace Rhyth
