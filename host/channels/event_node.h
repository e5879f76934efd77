// One computed event channel. Events are found in one forward pass through each record and kept
// (they are few next to the samples); events before the settled tick are final.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "host/recording/event_records.h"

namespace PendrelHost {

// The settled tick of a record whose events are all found.
inline constexpr int64_t kAllSettled = std::numeric_limits<int64_t>::max();

class EventNode {
 public:
  virtual ~EventNode() = default;

  virtual std::size_t RecordSize() const = 0;
  // Works until the events before `tick` are final, or the record's data runs out for now.
  // Returns the tick before which the events are final; kAllSettled once the record is done.
  virtual int64_t SettleTo(std::size_t record, int64_t tick) = 0;
  // The events found so far, in tick order.
  virtual const EventRecords& Found(std::size_t record) = 0;
  // The type word of the channel's event records: a module's event type, which the host draws
  // through the draw class registered under it; 0 for the host's own events.
  virtual uint32_t EventTypeWord() const { return 0; }
};

}  // namespace PendrelHost
