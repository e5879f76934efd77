// An event channel of the recording. Its events are all known up to the end of data; a record
// still being sampled may get more after it.
#pragma once

#include "host/channels/event_node.h"
#include "host/recording/recording.h"

namespace PendrelHost {

class SourceEventNode : public EventNode {
 public:
  SourceEventNode(const Recording& recording, std::size_t channel) : m_recording(recording), m_channel(channel) {}

  std::size_t RecordSize() const override { return sizeof(EventRecord); }
  int64_t SettleTo(std::size_t record, int64_t) override {
    return m_recording.IsClosed(record) ? kAllSettled : m_recording.TickCount(record);
  }
  const EventRecords& Found(std::size_t record) override { return m_recording.Events(record, m_channel); }

 private:
  const Recording& m_recording;
  std::size_t m_channel;
};

}  // namespace PendrelHost
