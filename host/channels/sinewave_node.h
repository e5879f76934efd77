// sinewave(f): sin(2 pi f t), t in seconds from the record's start.
#pragma once

#include <memory>

#include "host/channels/cached_signal_node.h"
#include "host/recording/recording.h"

namespace PendrelHost {

class SinewaveNode : public CachedSignalNode {
 public:
  SinewaveNode(std::shared_ptr<BlockCache> cache, const Recording& recording, double frequency)
      : CachedSignalNode(std::move(cache)), m_recording(recording), m_frequency(frequency) {}

  RecordExtent Extent(std::size_t record) override { return RecordingExtent(m_recording, record); }

 protected:
  void Compute(std::size_t record, int64_t start, std::span<float> values) override;

 private:
  const Recording& m_recording;
  double m_frequency;
};

}  // namespace PendrelHost
