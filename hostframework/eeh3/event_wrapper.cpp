#include "hostframework/eeh3/event_wrapper.h"

#include <algorithm>

namespace EEH3 {

EventWrapper::EventWrapper(IEnumEventEx* host, DWORD minimumRecordSize) {
  DWORD size = 0;
  if (host && SUCCEEDED(host->GetEventSize(&size)) && size >= minimumRecordSize) {
    m_host = Quor::ComPtr<IEnumEventEx>(host);
    m_recordSize = size;
    m_records.Resize(size * kBufferRecords);
    if (FAILED(host->GetPosition(&m_next))) m_next = 0;
    PendrelRateRatio ratio{};
    if (host->GetRateRatio(&ratio) == S_OK) m_rateRatio = ratio;
  }
  m_ended = !m_host;
}

EventWrapper::EventWrapper(const EventWrapper& other, IEnumEventEx* hostCopy)
    : eeh_SourceEnum(other),
      m_host(hostCopy),
      m_recordSize(other.m_recordSize) {
  m_records.Resize(other.m_records.Size());
  std::memcpy(m_records.Data(), other.m_records.Data(), other.m_records.Size());
}

HRESULT EventWrapper::CloneHost(Quor::ComPtr<IEnumEventEx>& copy) const {
  copy.Clear();
  if (!m_host) return S_OK;
  return m_host->Clone(Quor::ComPtrOut<IEnumEventEx>::Bind(copy));
}

HRESULT EventWrapper::Clone(eeh_SourceEnum** copy) const {
  *copy = nullptr;
  Quor::ComPtr<IEnumEventEx> host;
  const HRESULT hr = CloneHost(host);
  if (FAILED(hr)) return hr;
  *copy = new EventWrapper(*this, host.Get());
  return S_OK;
}

LONG EventWrapper::TickAt(DWORD i) const {
  LONG tick;
  std::memcpy(&tick, RecordAt(i), sizeof tick);
  return tick;
}

LONG EventWrapper::Position() {
  return HasUnread() ? TickAt(m_index) : m_next;
}

bool EventWrapper::Fill() {
  ClearBuffer();
  if (!m_host) {
    m_ended = true;
    return false;
  }
  int fetched = 0;
  LONG next = m_next;
  const HRESULT hr = m_host->Next(int(m_recordSize * kBufferRecords), m_hardEnd,
                                  m_records.Data(), &fetched, &next);
  if (FAILED(hr)) fetched = 0;
  m_count = DWORD(std::clamp(fetched, 0, int(kBufferRecords)));
  // The host may report the tick of the last record it gave: reading goes on after it.
  m_next = m_count ? std::max(next, TickAt(m_count - 1) + 1) : next;
  if (hr != S_OK || (m_count == 0 && next >= m_hardEnd)) m_ended = true;
  return m_count > 0;
}

bool EventWrapper::SeekInBuffer(LONG tick) {
  if (m_count == 0 || tick < TickAt(0) || tick >= m_next) return false;
  DWORD i = 0;
  while (i < m_count && TickAt(i) < tick) ++i;
  m_index = i;
  return true;
}

void EventWrapper::Seek(LONG tick) {
  if (SeekBeyondEnd(tick)) return;
  m_ended = !m_host;
  if (HasUnread() && TickAt(m_index) == tick) return;
  if (SeekInBuffer(tick)) return;
  if (!HasUnread() && tick == m_next) return;
  ClearBuffer();
  m_next = tick;
  if (!m_host) return;
  // The first event at or after the tick, wherever it lies before the end.
  m_host->Seek(FALSE, tick, tick, m_hardEnd);
  LONG position = tick;
  if (SUCCEEDED(m_host->GetPosition(&position)) && position == kRecordEndOffset) {
    m_ended = true;
  }
}

void EventWrapper::SetPosition(LONG tick) {
  Seek(tick);
}

}  // namespace EEH3
