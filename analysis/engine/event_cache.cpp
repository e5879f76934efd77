#include "analysis/engine/event_cache.h"

#include <algorithm>
#include <cstring>

namespace Rhyth {

namespace {

// A channel whose kind word has the low byte 4 is asked for by name; any other for its marks.
constexpr DWORD kNamedChannelKind = 4;

DWORD EventKind(PendrelChannelRef channel) {
  return (channel.kind & 0xFF) == kNamedChannelKind ? kEventKindExtended | kEventKindNamedChannel
                                                    : kEventKindExtended | kEventKindMarks;
}

// Beat records are 80 bytes; a host may pad them, but a record far beyond that is not one.
constexpr DWORD kLargestRecord = 4096;

}  // namespace

bool EventCache::Open(IPendrelDataSource* source, PendrelChannelRef channel, LONG record,
                      LONG start, LONG end) {
  Close();
  if (!source) return false;
  // Each out pointer lands in its smart pointer at the end of the statement that fills it.
  Quor::ComPtr<IUnknown> object;
  const HRESULT opened = source->OpenEventEnumerator(channel, record, start, end,
                                                     EventKind(channel),
                                                     Quor::ComPtrOut<IUnknown>::Bind(object));
  if (FAILED(opened) || !object) return false;
  Quor::ComPtr<IEnumEventEx> enumerator;
  const HRESULT queried =
      object->QueryInterface(IEnumEventEx::iid, Quor::ComPtrOut<IEnumEventEx>::Bind(enumerator));
  if (FAILED(queried) || !enumerator) return false;
  DWORD size = 0;
  if (FAILED(enumerator->GetEventSize(&size)) || size < sizeof(FiducialEvent) ||
      size > kLargestRecord) {
    return false;
  }
  m_recordSize = size;
  m_bufferSize = size * kEventsPerBlock;
  m_buffer = std::make_unique<BYTE[]>(m_bufferSize);
  m_enumerator = enumerator;
  m_endPosition = end;
  m_record = record;
  return true;
}

bool EventCache::ReadBlock() {
  int fetched = 0;
  LONG next = 0;
  const HRESULT hr = m_enumerator->Next(static_cast<int>(m_bufferSize), m_endPosition,
                                        m_buffer.get(), &fetched, &next);
  if (FAILED(hr) || fetched <= 0) return false;
  const int count = std::min<int>(fetched, kEventsPerBlock);
  m_current = m_buffer.get();
  m_end = m_current + std::size_t(count) * m_recordSize;
  return true;
}

bool EventCache::Next(FiducialEvent& event) {
  if (!m_enumerator) return false;
  if (m_current == m_end && !ReadBlock()) return false;
  // Records of another size than ours need not be aligned for a double: copy them out.
  std::memcpy(&event, m_current, sizeof event);
  m_current += m_recordSize;
  return true;
}

void EventCache::Close() {
  m_enumerator.Clear();
  m_buffer.reset();
  m_bufferSize = 0;
  m_current = m_end = nullptr;
}

}  // namespace Rhyth
