// EventCache: the events an event drawer reads, a block of up to eight at a time, from the
// host's event enumerator it owns. A pass starts at a tick and walks the events one by one;
// when the block is used up the next is read, and an empty block ends the pass. Copying a cache
// copies its block and gives the copy a clone of the enumerator.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/pendrel/data_source.h"

namespace PendrelDraw {

class EventCache {
 public:
  static constexpr int kBlockEvents = 8;

  EventCache() = default;
  EventCache(const EventCache& other);
  EventCache& operator=(const EventCache&) = delete;
  ~EventCache();

  // Takes a reference on the enumerator (null releases it) and sizes the block for its events;
  // `record` is the record it reads.
  void SetEnumerator(IEnumEventEx* enumerator, LONG record);
  void ReleaseEnumerator() { SetEnumerator(nullptr, -1); }
  IEnumEventEx* Enumerator() const { return m_enumerator; }
  LONG Record() const { return m_record; }

  // Seeks the first event at or after `tick` and reads the first block; false when it is empty.
  bool Start(LONG tick);
  // The current event (EventSize() bytes); valid while the pass lasts.
  const std::byte* Current() const { return m_buffer.data() + m_current; }
  // Moves to the next event, reading the next block at the end of this one; false when the
  // pass ended.
  bool Advance();
  std::size_t EventSize() const { return m_eventSize; }
  int EventsRead() const { return m_eventsRead; }

 private:
  bool ReadBlock();

  std::vector<std::byte> m_buffer;
  std::size_t m_eventSize = 0;
  std::size_t m_start = 0;
  std::size_t m_current = 0;
  std::size_t m_end = 0;
  IEnumEventEx* m_enumerator = nullptr;
  LONG m_record = -1;
  int m_eventsRead = 0;
  HRESULT m_lastRead = S_OK;
  LONG m_endPosition = kRecordEndOffset;
};

}  // namespace PendrelDraw
