// Events of one channel in one record, kept in tick order. Every event record begins with the
// host's generic event record (tick, fraction, value); enumerators may append more bytes to it,
// and those travel unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace PendrelHost {

struct EventRecord {
  int32_t tick;
  float fraction;  // of a tick, added to the tick for the event's exact time
  double value;
};
static_assert(sizeof(EventRecord) == 16);

// The fields of one event record of `size` bytes; NaN, or a fraction of 0, where the record is
// too short to hold them.
int32_t EventTick(const std::byte* record);
float EventFraction(const std::byte* record, std::size_t size);
double EventValue(const std::byte* record, std::size_t size);

class EventRecords {
 public:
  // recordSize: bytes per event, at least the tick's four.
  explicit EventRecords(std::size_t recordSize = sizeof(EventRecord));

  std::size_t RecordSize() const { return m_recordSize; }
  std::size_t Count() const { return m_bytes.size() / m_recordSize; }
  bool Empty() const { return m_bytes.empty(); }

  int32_t Tick(std::size_t index) const { return EventTick(Data(index)); }
  double Value(std::size_t index) const { return EventValue(Data(index), m_recordSize); }
  const std::byte* Data(std::size_t index) const { return m_bytes.data() + index * m_recordSize; }

  // Keeps tick order: an event earlier than the last goes in its place.
  void Append(const void* record);
  void Append(const EventRecord& record);
  // The first event at or after tick.
  std::size_t LowerBound(int64_t tick) const;
  void Clear() { m_bytes.clear(); }

 private:
  std::size_t m_recordSize;
  std::vector<std::byte> m_bytes;
};

}  // namespace PendrelHost
