#include "host/channels/peak_detector_node.h"

#include <algorithm>
#include <vector>

#include "host/channels/block_cache.h"

namespace PendrelHost {

namespace {

class PeakPass : public ProgressiveEventNode::Pass {
 public:
  PeakPass(SignalNode& input, std::size_t record, const PeakDetectorSettings& settings)
      : m_input(input), m_record(record), m_detector(settings) {}

  int64_t Advance(int64_t tick, EventRecords& events) override {
    while (m_detector.SettledTick() < tick) {
      const RecordExtent extent = m_input.Extent(m_record);
      if (m_next >= extent.available) {
        if (!extent.final) break;
        m_detector.Finish(events);
        return kAllSettled;
      }
      // Whole blocks, aligned with the input's cache.
      const int64_t end = std::min(extent.available, (m_next / kBlockTicks + 1) * kBlockTicks);
      m_values.resize(static_cast<std::size_t>(end - m_next));
      m_input.Read(m_record, m_next, m_values);
      m_detector.Feed(m_next, m_values, events);
      m_next = end;
    }
    return m_detector.SettledTick();
  }

 private:
  SignalNode& m_input;
  std::size_t m_record;
  PeakDetector m_detector;
  int64_t m_next = 0;
  std::vector<float> m_values;
};

}  // namespace

std::unique_ptr<ProgressiveEventNode::Pass> PeakDetectorNode::StartPass(std::size_t record) {
  return std::make_unique<PeakPass>(*m_input, record, m_settings);
}

}  // namespace PendrelHost
