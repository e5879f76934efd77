#include "host/channels/window_peaks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace PendrelHost {

const std::vector<SamplePeak>& WindowPeaks::Find(std::span<const float> values, int64_t first,
                                                 int64_t reach) {
  m_peaks.clear();
  const std::size_t n = values.size();
  const auto k = static_cast<std::size_t>(reach);
  if (n < 2 * k + 1) return m_peaks;
  const float lowest = -std::numeric_limits<float>::infinity();
  m_values.resize(n);
  for (std::size_t i = 0; i < n; ++i) m_values[i] = std::isnan(values[i]) ? lowest : values[i];

  // The largest of each k values from i on, as the largest to the end of i's run of k indices
  // and from the start of the next run (van Herk and Gil-Werman): three comparisons a value,
  // without branches, however the values fall.
  m_fromStart.resize(n);
  m_toEnd.resize(n);
  // Both maxima of a run are formed in one loop: two independent chains of comparisons, which
  // the processor overlaps.
  for (std::size_t start = 0; start < n; start += k) {
    const std::size_t last = std::min(start + k, n) - 1;
    m_fromStart[start] = m_values[start];
    m_toEnd[last] = m_values[last];
    for (std::size_t j = 1; j <= last - start; ++j) {
      m_fromStart[start + j] = std::max(m_fromStart[start + j - 1], m_values[start + j]);
      m_toEnd[last - j] = std::max(m_toEnd[last - j + 1], m_values[last - j]);
    }
  }
  const std::size_t runs = n - k + 1;
  m_runMaxima.resize(runs);
  for (std::size_t i = 0; i < runs; ++i) {
    m_runMaxima[i] = std::max(m_toEnd[i], m_fromStart[i + k - 1]);
  }

  // A peak exceeds the k values before it and is no smaller than the k after it.
  for (std::size_t centre = k; centre + k < n; ++centre) {
    const float value = m_values[centre];
    if (value > m_runMaxima[centre - k] && value >= m_runMaxima[centre + 1]) {
      m_peaks.push_back({first + static_cast<int64_t>(centre), value});
    }
  }
  return m_peaks;
}

}  // namespace PendrelHost
