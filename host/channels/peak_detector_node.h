// cmpeakdet(x, h, Tmin, p): the peak detector's events over a computed channel.
#pragma once

#include <memory>

#include "host/channels/peak_detector.h"
#include "host/channels/progressive_event_node.h"
#include "host/channels/signal_node.h"

namespace PendrelHost {

class PeakDetectorNode : public ProgressiveEventNode {
 public:
  PeakDetectorNode(std::shared_ptr<SignalNode> input, const PeakDetectorSettings& settings)
      : m_input(std::move(input)), m_settings(settings) {}

  std::size_t RecordSize() const override { return sizeof(EventRecord); }

 protected:
  std::unique_ptr<Pass> StartPass(std::size_t record) override;

 private:
  std::shared_ptr<SignalNode> m_input;
  PeakDetectorSettings m_settings;
};

}  // namespace PendrelHost
