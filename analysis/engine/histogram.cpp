#include "analysis/engine/histogram.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace Rhyth {

namespace {

// The bin of x, when it has one: NaN and infinite values, and values whose bin lies beyond what
// an origin and a count of bins can address, are not counted.
std::optional<LONG> BinIndex(double x, double width) {
  const double index = std::floor(x / width);
  constexpr double kLimit = 0x3FFFFFFF;
  if (!(index >= -kLimit && index <= kLimit)) return std::nullopt;
  return static_cast<LONG>(index);
}

}  // namespace

void Histogram::Clear() {
  binWidth = 0;
  origin = 0;
  counts.RemoveAll();
}

void Histogram::Build(const double* values, DWORD n, double width) {
  counts.RemoveAll();
  origin = 0;
  binWidth = width;
  if (!(width > 0)) return;
  std::optional<LONG> lowest, highest;
  for (DWORD i = 0; i < n; ++i) {
    const auto bin = BinIndex(values[i], width);
    if (!bin) continue;
    if (!lowest || *bin < *lowest) lowest = bin;
    if (!highest || *bin > *highest) highest = bin;
  }
  if (!lowest) return;
  origin = *lowest;
  counts.SetSize(static_cast<DWORD>(*highest - *lowest + 1));
  for (DWORD i = 0; i < n; ++i) {
    if (const auto bin = BinIndex(values[i], width)) counts[*bin - origin] += 1.0;
  }
}

void Histogram::Add(double x) {
  if (!(binWidth > 0)) return;
  const auto bin = BinIndex(x, binWidth);
  if (!bin) return;
  const LONG i = *bin;
  if (counts.GetCount() == 0) {
    origin = i;
    counts.Add(1.0);
    return;
  }
  if (i < origin) {
    // Empty bins in front: the counts move up by the shift at once.
    const DWORD shift = static_cast<DWORD>(origin - i);
    const DWORD bins = counts.GetCount();
    counts.SetSize(bins + shift);
    std::move_backward(counts.begin(), counts.begin() + bins, counts.end());
    std::fill(counts.begin(), counts.begin() + shift, 0.0);
    origin = i;
  } else if (i - origin >= static_cast<LONG>(counts.GetCount())) {
    counts.SetSize(static_cast<DWORD>(i - origin + 1));
  }
  counts[i - origin] += 1.0;
}

double Histogram::Median(DWORD n) const {
  if (!(binWidth > 0) || counts.GetCount() == 0 || n == 0) return 0;
  const double half = n / 2.0;
  double below = 0;
  for (DWORD j = 0; j < counts.GetCount(); ++j) {
    const double through = below + counts[j];
    if (through >= half) return (origin + double(j)) * binWidth + (half - below) / counts[j] * binWidth;
    below = through;
  }
  // Fewer values counted than n (some had no bin): the top of the last bin.
  return (origin + double(counts.GetCount())) * binWidth;
}

}  // namespace Rhyth
