#include "host/channels/moving_zscore_node.h"

#include <algorithm>
#include <cmath>

#include "host/channels/mirrored_read.h"

namespace PendrelHost {

MovingZScoreNode::MovingZScoreNode(std::shared_ptr<BlockCache> cache, std::shared_ptr<SignalNode> input,
                                   int64_t window, int64_t lead, double noiseFloor)
    : CachedSignalNode(std::move(cache)),
      m_input(std::move(input)),
      m_window(window),
      m_lead(lead),
      m_noiseFloor(noiseFloor) {}

RecordExtent MovingZScoreNode::Extent(std::size_t record) {
  // The window reaches W - H - 1 ticks past its sample (and the sample itself when H > W - 1).
  const int64_t reach = std::max<int64_t>(0, m_window - m_lead - 1);
  return ExtentWithLookAhead(m_input->Extent(record), reach);
}

void MovingZScoreNode::Compute(std::size_t record, int64_t start, std::span<float> values) {
  // The windows of the block's ticks, and the ticks themselves, lie in [first, last).
  const int64_t first = std::min(start - m_lead, start);
  const int64_t last = std::max(start - m_lead + m_window, start + 1) + static_cast<int64_t>(values.size()) - 1;
  m_inputValues.resize(static_cast<std::size_t>(last - first));
  ReadMirrored(*m_input, record, first, m_inputValues);
  const auto x = [&](int64_t tick) { return static_cast<double>(m_inputValues[static_cast<std::size_t>(tick - first)]); };

  // Sums are formed afresh for each block, in double precision, so that a block's values never
  // depend on the order in which blocks were read.
  double sum = 0.0;
  double squares = 0.0;
  for (int64_t t = start - m_lead; t < start - m_lead + m_window; ++t) {
    sum += x(t);
    squares += x(t) * x(t);
  }
  const double count = static_cast<double>(m_window);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const int64_t tick = start + static_cast<int64_t>(i);
    const double mean = sum / count;
    const double deviation = std::max(std::sqrt(std::max(squares / count - mean * mean, 0.0)), m_noiseFloor);
    values[i] = deviation > 0.0 ? static_cast<float>((x(tick) - mean) / deviation) : 0.0f;
    if (i + 1 == values.size()) break;
    const double leaving = x(tick - m_lead);
    const double entering = x(tick - m_lead + m_window);
    sum += entering - leaving;
    squares += entering * entering - leaving * leaving;
  }
}

}  // namespace PendrelHost
