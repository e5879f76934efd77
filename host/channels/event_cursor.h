// Reads the events of one event channel in one record, within [start, end) ticks: how the host
// hands events to whoever asks (the module's enumerators and engine, the command line).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "host/channels/event_node.h"

namespace PendrelHost {

// What one call for events gave.
struct EventBatch {
  std::size_t fetched = 0;
  int64_t next = 0;    // the position reached
  bool ended = false;  // no events remain in the range, and none will come
};

class EventCursor {
 public:
  EventCursor(std::shared_ptr<EventNode> channel, std::size_t record, int64_t start, int64_t end);

  std::size_t RecordSize() const { return m_channel->RecordSize(); }
  std::size_t Record() const { return m_record; }
  int64_t Position() const { return m_position; }

  // Copies the events from the position on and before `end` (and the range's end) into
  // `buffer`, as many whole records as fit. A record that can still grow may give fewer events
  // than there will be, stopping where its events are not final yet.
  EventBatch Next(int64_t end, std::span<std::byte> buffer);
  // Finds an event in [from, to) of the range: the first at or after `tick`, or with `backward`
  // the last before it, and moves there. False, leaving the position, when there is none.
  bool Seek(bool backward, int64_t tick, int64_t from, int64_t to);
  // Reading goes on from `tick`, kept inside the range.
  void MoveTo(int64_t tick) { m_position = std::clamp(tick, m_start, std::max(m_start, m_end)); }

  std::unique_ptr<EventCursor> Clone() const { return std::make_unique<EventCursor>(*this); }

 private:
  bool RemainsAfter(int64_t tick);

  std::shared_ptr<EventNode> m_channel;
  std::size_t m_record;
  int64_t m_start;
  int64_t m_end;
  int64_t m_position;
};

}  // namespace PendrelHost
