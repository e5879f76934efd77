#include "host/channels/peak_level_node.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/channels/mirrored_read.h"

namespace PendrelHost {

namespace {

// The peak level is this many times the unit of the values: the beats' peaks stand near it.
constexpr double kPeakLevelHeight = 12.0;
// Peaks stand out over this part of the window to either side.
constexpr int64_t kPeakReachPerWindow = 20;

// The mean of the numbers among a sliding window's values, in double precision.
class WindowMean {
 public:
  void Add(float value) { Change(value, 1); }
  void Remove(float value) { Change(value, -1); }
  // NaN when the window holds no number.
  double Value() const {
    return m_count > 0 ? m_sum / static_cast<double>(m_count)
                       : std::numeric_limits<double>::quiet_NaN();
  }

 private:
  void Change(float value, int sign) {
    if (std::isnan(value)) return;
    m_sum += sign * static_cast<double>(value);
    m_count += sign;
  }

  double m_sum = 0.0;
  int64_t m_count = 0;
};

// The second-highest of the peaks in a window that slides forward over peaks in tick order
// (the highest when the window holds one; nothing when it holds none).
class SecondHighestPeak {
 public:
  explicit SecondHighestPeak(const std::vector<SamplePeak>& peaks) : m_peaks(peaks) {}

  // Of the peaks at ticks [from, to); both only grow from one call to the next.
  const SamplePeak* In(int64_t from, int64_t to) {
    std::size_t first = m_first, end = m_end;
    while (first < m_peaks.size() && m_peaks[first].tick < from) ++first;
    end = std::max(end, first);
    while (end < m_peaks.size() && m_peaks[end].tick < to) ++end;
    if (first != m_first || end != m_end || !m_known) Choose(first, end);
    return m_chosen;
  }

 private:
  void Choose(std::size_t first, std::size_t end) {
    m_first = first;
    m_end = end;
    m_known = true;
    const SamplePeak* highest = nullptr;
    const SamplePeak* second = nullptr;
    for (std::size_t i = first; i < end; ++i) {
      const SamplePeak* peak = &m_peaks[i];
      if (!highest || peak->value > highest->value) {
        second = highest;
        highest = peak;
      } else if (!second || peak->value > second->value) {
        second = peak;
      }
    }
    m_chosen = second ? second : highest;
  }

  const std::vector<SamplePeak>& m_peaks;
  std::size_t m_first = 0;
  std::size_t m_end = 0;
  bool m_known = false;
  const SamplePeak* m_chosen = nullptr;
};

// Ticks whose values are formed together.
constexpr int64_t kPeakLevelTile = 1024;

// Each tick's window mean and the value of its window's level peak, for a tile of ticks.
struct PeakLevelTile {
  double centres[kPeakLevelTile];
  double peakValues[kPeakLevelTile];
};

// Stands for "no peak in the window" among the peaks' values, which are never NaN.
constexpr double kNoPeak = std::numeric_limits<double>::quiet_NaN();

// Each tick's value from its window's mean and second-highest peak. Built twice, for
// processors with AVX2 and for any other, and chosen when the program loads; every operation
// is the same on both, so the values are the same to the bit. Every case is computed and then
// chosen, without branches, so that the loop is vectorised; for the same reason std::max and
// std::isnan are spelled out, and the compiler may assume that no floating-point operation
// traps (none does: the values are what they would be otherwise).
__attribute__((target_clones("avx2", "default"), optimize("no-trapping-math")))
void NormaliseTile(const PeakLevelTile& tile, const float* samples, double noiseFloor,
                   float* values, int64_t count) {
  for (int64_t j = 0; j < count; ++j) {
    const double centre = tile.centres[j];
    const double peakValue = tile.peakValues[j];
    // A twelfth of the height of the level peak over the mean, at least the noise floor.
    const double difference = peakValue - centre;
    const double height = difference < 0.0 || peakValue != peakValue ? 0.0 : difference;
    const double unit = height / kPeakLevelHeight;
    const double scale = unit < noiseFloor ? noiseFloor : unit;
    const double value = samples[j];
    const auto quotient = static_cast<float>((value - centre) / scale);
    const float normalised = scale > 0.0 ? quotient : 0.0f;
    values[j] = centre != centre || value != value ? std::numeric_limits<float>::quiet_NaN()
                                                   : normalised;
  }
}

}  // namespace

PeakLevelNode::PeakLevelNode(std::shared_ptr<BlockCache> cache, std::shared_ptr<SignalNode> input,
                             int64_t window, int64_t lead, double noiseFloor)
    : CachedSignalNode(std::move(cache)),
      m_input(std::move(input)),
      m_window(window),
      m_lead(lead),
      m_peakReach(std::max<int64_t>(1, window / kPeakReachPerWindow)),
      m_noiseFloor(noiseFloor) {}

RecordExtent PeakLevelNode::Extent(std::size_t record) {
  // The window reaches W - H - 1 ticks past its sample (and the sample itself when
  // H > W - 1), and whether its last tick is a peak is known a peak's reach later.
  const int64_t reach = std::max<int64_t>(0, m_window - m_lead - 1 + m_peakReach);
  return ExtentWithLookAhead(m_input->Extent(record), reach);
}

void PeakLevelNode::Compute(std::size_t record, int64_t start, std::span<float> values) {
  const auto count = static_cast<int64_t>(values.size());
  // The windows of the block's ticks cover [from, to); the peaks among them need a peak's
  // reach more on either side, and the ticks themselves may lie outside the windows.
  const int64_t from = start - m_lead;
  const int64_t to = from + m_window + count - 1;
  const int64_t first = std::min(from - m_peakReach, start);
  const int64_t last = std::max(to + m_peakReach, start + count);
  m_inputValues.resize(static_cast<std::size_t>(last - first));
  ReadMirrored(*m_input, record, first, m_inputValues);
  const auto x = [&](int64_t tick) {
    return m_inputValues[static_cast<std::size_t>(tick - first)];
  };
  SecondHighestPeak level(m_peaks.Find(m_inputValues, first, m_peakReach));

  // Formed afresh for each block, so that a block's values never depend on the order in which
  // blocks were read.
  WindowMean mean;
  for (int64_t t = from; t < from + m_window; ++t) mean.Add(x(t));
  PeakLevelTile tile;
  for (int64_t tileStart = 0; tileStart < count; tileStart += kPeakLevelTile) {
    const int64_t ticks = std::min<int64_t>(kPeakLevelTile, count - tileStart);
    // The sliding sums run through the tile one tick after the other; the values then follow
    // from them tick by tick independently, which the compiler turns into vector instructions.
    for (int64_t j = 0; j < ticks; ++j) {
      const int64_t windowStart = from + tileStart + j;
      tile.centres[j] = mean.Value();
      const SamplePeak* peak = level.In(windowStart, windowStart + m_window);
      tile.peakValues[j] = peak ? static_cast<double>(peak->value) : kNoPeak;
      if (tileStart + j + 1 == count) break;
      mean.Remove(x(windowStart));
      mean.Add(x(windowStart + m_window));
    }
    NormaliseTile(tile, &m_inputValues[static_cast<std::size_t>(start + tileStart - first)],
                  m_noiseFloor, &values[static_cast<std::size_t>(tileStart)], ticks);
  }
}

}  // namespace PendrelHost
