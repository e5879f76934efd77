#include "host/channels/event_cursor.h"

#include <algorithm>
#include <cstring>

namespace PendrelHost {

EventCursor::EventCursor(std::shared_ptr<EventNode> channel, std::size_t record, int64_t start, int64_t end)
    : m_channel(std::move(channel)),
      m_record(record),
      m_start(std::max<int64_t>(start, 0)),
      m_end(end),
      m_position(m_start) {}

EventBatch EventCursor::Next(int64_t end, std::span<std::byte> buffer) {
  const std::size_t size = RecordSize();
  const std::size_t capacity = buffer.size() / size;
  const int64_t limit = std::min(end, m_end);
  const int64_t settled = m_channel->SettleTo(m_record, limit);
  const int64_t reachable = std::min(limit, settled);
  const EventRecords& events = m_channel->Found(m_record);
  EventBatch batch;
  for (std::size_t i = events.LowerBound(m_position); batch.fetched < capacity && i < events.Count(); ++i) {
    if (events.Tick(i) >= reachable) break;
    std::memcpy(buffer.data() + batch.fetched * size, events.Data(i), size);
    ++batch.fetched;
    m_position = int64_t{events.Tick(i)} + 1;
  }
  if (batch.fetched < capacity) m_position = std::max(m_position, reachable);
  batch.next = m_position;
  batch.ended = settled == kAllSettled && !RemainsAfter(m_position);
  return batch;
}

bool EventCursor::RemainsAfter(int64_t tick) {
  const EventRecords& events = m_channel->Found(m_record);
  const std::size_t i = events.LowerBound(tick);
  return i < events.Count() && events.Tick(i) < m_end;
}

bool EventCursor::Seek(bool backward, int64_t tick, int64_t from, int64_t to) {
  from = std::max(from, m_start);
  to = std::min(to, m_end);
  if (from >= to) return false;
  const EventRecords& events = m_channel->Found(m_record);
  if (backward) {
    const int64_t before = std::min(tick, to);
    m_channel->SettleTo(m_record, before);
    const std::size_t i = events.LowerBound(before);
    if (i == 0 || events.Tick(i - 1) < from) return false;
    m_position = events.Tick(i - 1);
    return true;
  }
  const int64_t at = std::max(tick, from);
  m_channel->SettleTo(m_record, to);
  const std::size_t i = events.LowerBound(at);
  if (i == events.Count() || events.Tick(i) >= to) return false;
  m_position = events.Tick(i);
  return true;
}

}  // namespace PendrelHost
