// The peaks of a stretch of samples, as the peak-level normalisation counts them: samples that
// are the largest within `reach` ticks on either side (the first of equal ones), so that a
// beat's envelope gives one peak however it wiggles, and no two peaks are `reach` or fewer
// ticks apart. NaN samples are never peaks and hide none. The finder keeps its working storage
// from one stretch to the next; its owner (a stage) reuses it for every block it computes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace PendrelHost {

struct SamplePeak {
  int64_t tick;
  float value;
};

class WindowPeaks {
 public:
  // The peaks at ticks [first + reach, first + size - reach) of `values`, the samples of the
  // ticks [first, first + size), in tick order; reach >= 1.
  const std::vector<SamplePeak>& Find(std::span<const float> values, int64_t first,
                                      int64_t reach);

 private:
  std::vector<SamplePeak> m_peaks;
  std::vector<float> m_values;      // NaN as -infinity
  std::vector<float> m_runMaxima;   // of `reach` values from each index on
  std::vector<float> m_fromStart;   // maxima from the start of each run of `reach` indices
  std::vector<float> m_toEnd;       // maxima to the end of each run
};

}  // namespace PendrelHost
