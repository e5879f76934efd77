// normalizeSec(x, W, H, noise): how many standard deviations each sample lies from the mean of a
// window of W seconds that starts H seconds before it. `noise` is a floor for the deviation, so
// that quiet stretches are not blown up; where the deviation is 0 and there is no floor, the
// value is 0.
#pragma once

#include <memory>
#include <vector>

#include "host/channels/cached_signal_node.h"

namespace PendrelHost {

class MovingZScoreNode : public CachedSignalNode {
 public:
  // window >= 2 ticks; the window of tick i is [i - lead, i - lead + window).
  MovingZScoreNode(std::shared_ptr<BlockCache> cache, std::shared_ptr<SignalNode> input, int64_t window,
                   int64_t lead, double noiseFloor);

  RecordExtent Extent(std::size_t record) override;

 protected:
  void Compute(std::size_t record, int64_t start, std::span<float> values) override;

 private:
  std::shared_ptr<SignalNode> m_input;
  int64_t m_window;
  int64_t m_lead;
  double m_noiseFloor;
  std::vector<float> m_inputValues;
};

}  // namespace PendrelHost
