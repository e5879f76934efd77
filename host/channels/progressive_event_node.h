// An event channel found in one forward pass through each record. Each record has its own pass,
// started when the record is first asked for and kept with the events it found.
#pragma once

#include <map>
#include <memory>

#include "host/channels/event_node.h"

namespace PendrelHost {

class ProgressiveEventNode : public EventNode {
 public:
  int64_t SettleTo(std::size_t record, int64_t tick) final;
  const EventRecords& Found(std::size_t record) final { return State(record).events; }

  class Pass {
   public:
    virtual ~Pass() = default;
    // Finds events until those before `tick` are final or the data runs out for now, appending
    // them to `events`; returns the settled tick (kAllSettled when the record is done).
    virtual int64_t Advance(int64_t tick, EventRecords& events) = 0;
  };

 protected:
  virtual std::unique_ptr<Pass> StartPass(std::size_t record) = 0;

 private:
  struct RecordState {
    explicit RecordState(std::size_t recordSize) : events(recordSize) {}
    EventRecords events;
    std::unique_ptr<Pass> pass;
    int64_t settled = 0;
  };

  RecordState& State(std::size_t record);

  std::map<std::size_t, RecordState> m_records;
};

}  // namespace PendrelHost
