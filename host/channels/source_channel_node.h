// A sampled channel of the recording, as the first stage of computed channels.
#pragma once

#include "host/channels/signal_node.h"
#include "host/recording/recording.h"

namespace PendrelHost {

class SourceChannelNode : public SignalNode {
 public:
  SourceChannelNode(const Recording& recording, std::size_t channel) : m_recording(recording), m_channel(channel) {}

  RecordExtent Extent(std::size_t record) override { return RecordingExtent(m_recording, record); }
  void Read(std::size_t record, int64_t start, std::span<float> values) override;
  bool HoldsValues() const override { return true; }

 private:
  const Recording& m_recording;
  std::size_t m_channel;
};

}  // namespace PendrelHost
