// An iterator over one host event enumeration, reading plain records of the size the host
// reports, eight at a time, forwards or backwards. It reads of a record only its tick (int32 at
// byte 0) and, where the record has one, its value (float64 at byte 8).
#pragma once

#include <cstddef>
#include <cstring>

#include "core/byte_buffer.h"
#include "core/com_ptr.h"
#include "platform/pendrel/calc_enum.h"

// The head of an event record as the iteration reads it.
struct QuorEventBase {
  LONG position;
  float fraction;
  double value;
};
static_assert(sizeof(QuorEventBase) == 16);

namespace QuorEvent {

// Records as large as the enumeration says; 0 when it does not say.
struct DynamicStoragePolicy {
  static DWORD RecordSize(IEnumEventEx* events) {
    DWORD size = 0;
    return events && SUCCEEDED(events->GetEventSize(&size)) && size >= sizeof(LONG) ? size : 0;
  }
};

// A buffer of plain bytes with room for `records` records.
struct PODEventBufferSizePolicy {
  static DWORD Bytes(DWORD recordSize, DWORD records) { return recordSize * records; }
};

template <class Enum, class Event, class Storage, class BufferSize, DWORD N>
class ConstEventIterBase {
 public:
  explicit ConstEventIterBase(Enum* events)
      : m_events(events), m_recordSize(Storage::RecordSize(events)) {
    m_buffer.Resize(BufferSize::Bytes(m_recordSize, N));
    Clear();
    if (!m_events || FAILED(m_events->GetPosition(&m_anchor))) m_anchor = kRecordEndOffset;
  }

  static LONG PositionOf(const BYTE* record) {
    LONG tick;
    std::memcpy(&tick, record, sizeof tick);
    return tick;
  }
  // A record too short to carry a value counts as having a finite one.
  double ValueOf(const BYTE* record) const {
    if (m_recordSize < sizeof(Event)) return 0.0;
    double value;
    std::memcpy(&value, record + offsetof(Event, value), sizeof value);
    return value;
  }

  Enum* Enumeration() const { return m_events.Get(); }
  DWORD RecordSize() const { return m_recordSize; }
  // Forward reading stops before this tick.
  void SetEnd(LONG end) { m_endPosition = end; }

  // Moves the enumeration to `tick`; the buffer starts again from there.
  void SetPosition(LONG tick) {
    Clear();
    m_anchor = tick;
    if (!m_events) return;
    Quor::ComPtr<ICalcEnum> calc;
    m_events->QueryInterface(ICalcEnum::iid, Quor::ComPtrOut<ICalcEnum>::Bind(calc));
    if (calc) {
      calc->SetPosition(tick);
      return;
    }
    LONG position = tick;
    if (SUCCEEDED(m_events->GetPosition(&position)) && position != tick) {
      m_events->Seek(FALSE, tick, tick, tick < kRecordEndOffset ? tick + 1 : tick);
    }
  }

  // The next record forwards, reading on when the buffer is used up; null after the last.
  const BYTE* Next() {
    if (m_current == m_end && !Refill()) return nullptr;
    const BYTE* record = m_current;
    m_current += m_recordSize;
    return record;
  }

  // The record before the last one handed out backwards, reading back when the buffer is used
  // up; null before the first.
  const BYTE* Previous() {
    if (m_current == m_first && !RefillBackward()) return nullptr;
    m_current -= m_recordSize;
    return m_current;
  }

  // Reads up to N records up to the end position; true when at least one came.
  bool Refill() {
    Clear();
    if (!m_events || m_recordSize == 0) return false;
    m_fetched = 0;
    m_result = m_events->Next(int(m_buffer.Size()), m_endPosition, m_buffer.Data(), &m_fetched,
                              &m_next);
    if (FAILED(m_result) || m_fetched < 0 || DWORD(m_fetched) > N) m_fetched = 0;
    m_end = m_first + std::size_t(m_fetched) * m_recordSize;
    return m_fetched > 0;
  }

  // Reads the up to N records before the first one buffered (before the position set, when
  // none is); the current pointer goes after the last of them. True when at least one came.
  bool RefillBackward() {
    const LONG bound = m_first != m_end ? PositionOf(m_first) : m_anchor;
    m_anchor = bound;  // also when nothing lies before it: the next call finds nothing again
    Clear();
    if (!m_events || m_recordSize == 0) return false;
    LONG position = bound;
    DWORD found = 0;
    while (found < N && m_events->Seek(TRUE, position, 0, kRecordEndOffset) == S_OK &&
           SUCCEEDED(m_events->GetPosition(&position))) {
      ++found;
    }
    if (found == 0) return false;
    m_fetched = 0;
    m_result = m_events->Next(int(BufferSize::Bytes(m_recordSize, found)), bound,
                              m_buffer.Data(), &m_fetched, &m_next);
    if (FAILED(m_result) || m_fetched < 0 || DWORD(m_fetched) > found) m_fetched = 0;
    m_end = m_current = m_first + std::size_t(m_fetched) * m_recordSize;
    return m_fetched > 0;
  }

 private:
  void Clear() { m_first = m_current = m_end = m_buffer.Data(); }

  Quor::ComPtr<Enum> m_events;
  DWORD m_recordSize;
  ByteBuffer m_buffer;
  const BYTE* m_first = nullptr;
  const BYTE* m_current = nullptr;
  const BYTE* m_end = nullptr;
  int m_fetched = 0;
  HRESULT m_result = S_OK;
  LONG m_next = 0;
  LONG m_endPosition = kRecordEndOffset;
  LONG m_anchor = 0;  // where reading backwards starts while nothing is buffered
};

using EventIter = ConstEventIterBase<IEnumEventEx, QuorEventBase, DynamicStoragePolicy,
                                     PODEventBufferSizePolicy, 8>;

}  // namespace QuorEvent
