// A trailing moving average that keeps the length of its input: the first `length` outputs all
// take the mean of the first `length` inputs, the ones after the mean of the `length` inputs up
// to their own.
#pragma once

#include <span>
#include <vector>

namespace Rhyth {

// A length of 0 counts as 1. Fewer inputs than the length give no output.
std::vector<double> MovingAverage(std::span<const double> values, std::size_t length);

}  // namespace Rhyth
