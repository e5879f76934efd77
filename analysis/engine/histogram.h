// A histogram of fixed-width bins: bin j counts the values in [(origin + j)·w, (origin + j + 1)·w).
#pragma once

#include "analysis/engine/double_array.h"
#include "platform/win32/types.h"

namespace Rhyth {

struct Histogram {
  double binWidth = 0;
  LONG origin = 0;
  DoubleArray counts;

  // No bins; width and origin 0. The counts keep their capacity.
  void Clear();
  // Rebuilds the bins over a whole series with width w. Without a positive width, or without a
  // value to count, there are no bins: counts binned at another width would be read at this one.
  void Build(const double* values, DWORD n, double width);
  // Counts one more value, growing the bins at either end as needed.
  void Add(double x);
  // The median of the n values counted, interpolated within its bin; 0 without bins or values.
  double Median(DWORD n) const;
};

}  // namespace Rhyth
