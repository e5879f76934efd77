// Reads one sampled channel of one record from a position on: how the host hands a channel's
// samples to whoever asks (the module's enumerators, the command line).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "host/channels/signal_node.h"

namespace PendrelHost {

class SampleCursor {
 public:
  SampleCursor(std::shared_ptr<SignalNode> channel, std::size_t record, int64_t position);

  std::size_t Record() const { return m_record; }
  int64_t Position() const { return m_position; }
  RecordExtent Extent() const { return m_channel->Extent(m_record); }

  // Up to values.size() samples from the position on, fewer where the available data ends.
  // Returns how many were read; the position moves past them.
  std::size_t Read(std::span<float> values);
  // Moves by `ticks` (backwards when negative), clamped to [0, available end]. Returns the
  // distance moved.
  int64_t Skip(int64_t ticks);

  std::unique_ptr<SampleCursor> Clone() const { return std::make_unique<SampleCursor>(*this); }

 private:
  std::shared_ptr<SignalNode> m_channel;
  std::size_t m_record;
  int64_t m_position;
};

}  // namespace PendrelHost
