#include "tracedisplay/drawers/event_cache.h"

#include <algorithm>

#include "platform/pendrel/event_record.h"

namespace PendrelDraw {

EventCache::EventCache(const EventCache& other)
    : m_buffer(other.m_buffer),
      m_eventSize(other.m_eventSize),
      m_start(other.m_start),
      m_current(other.m_current),
      m_end(other.m_end),
      m_record(other.m_record),
      m_eventsRead(other.m_eventsRead),
      m_lastRead(other.m_lastRead),
      m_endPosition(other.m_endPosition) {
  if (other.m_enumerator) other.m_enumerator->Clone(&m_enumerator);
}

EventCache::~EventCache() {
  if (m_enumerator) m_enumerator->Release();
}

void EventCache::SetEnumerator(IEnumEventEx* enumerator, LONG record) {
  if (enumerator) enumerator->AddRef();
  if (m_enumerator) m_enumerator->Release();
  m_enumerator = enumerator;
  m_record = enumerator ? record : -1;
  m_start = m_current = m_end = 0;
  m_eventsRead = 0;
  if (!enumerator) return;
  DWORD size = 0;
  // An event smaller than the tick it starts with cannot be read; the host's record is assumed.
  if (FAILED(enumerator->GetEventSize(&size)) || size < sizeof(LONG))
    size = sizeof(PendrelEventRecord);
  m_eventSize = size;
  m_buffer.assign(m_eventSize * kBlockEvents, std::byte{0});
}

bool EventCache::Start(LONG tick) {
  if (!m_enumerator) return false;
  m_enumerator->Seek(FALSE, tick, tick, kRecordEndOffset);
  return ReadBlock();
}

bool EventCache::Advance() {
  m_current += m_eventSize;
  return m_current < m_end || ReadBlock();
}

bool EventCache::ReadBlock() {
  int fetched = 0;
  m_lastRead = m_enumerator->Next(int(m_buffer.size()), kRecordEndOffset, m_buffer.data(),
                                  &fetched, &m_endPosition);
  if (FAILED(m_lastRead) || fetched <= 0) {
    m_start = m_current = m_end = 0;
    return false;
  }
  m_eventsRead += fetched;
  m_start = m_current = 0;
  m_end = std::size_t(std::min(fetched, kBlockEvents)) * m_eventSize;
  return true;
}

}  // namespace PendrelDraw
