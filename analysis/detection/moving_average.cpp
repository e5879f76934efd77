#include "analysis/detection/moving_average.h"

#include <algorithm>

namespace Rhyth {

std::vector<double> MovingAverage(std::span<const double> values, std::size_t length) {
  length = std::max<std::size_t>(length, 1);
  if (values.size() < length) return {};
  std::vector<double> averages(values.size());
  double sum = 0.0;
  for (std::size_t i = 0; i < length; ++i) sum += values[i];
  std::fill_n(averages.begin(), length, sum / double(length));
  // A running sum: each step takes the new value in and the one `length` places back out.
  for (std::size_t i = length; i < values.size(); ++i) {
    sum += values[i] - values[i - length];
    averages[i] = sum / double(length);
  }
  return averages;
}

}  // namespace Rhyth
