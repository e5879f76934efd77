// A number used where a channel is needed: the same value at every tick of every record.
#pragma once

#include <algorithm>

#include "host/channels/signal_node.h"
#include "host/recording/recording.h"

namespace PendrelHost {

class ConstantNode : public SignalNode {
 public:
  ConstantNode(const Recording& recording, float value) : m_recording(recording), m_value(value) {}

  RecordExtent Extent(std::size_t record) override { return RecordingExtent(m_recording, record); }
  void Read(std::size_t, int64_t, std::span<float> values) override {
    std::fill(values.begin(), values.end(), m_value);
  }
  bool HoldsValues() const override { return true; }

 private:
  const Recording& m_recording;
  float m_value;
};

}  // namespace PendrelHost
