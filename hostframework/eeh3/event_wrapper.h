// An event channel as an algorithm's input: the host's event enumerator read eight records at a
// time. EventWrapperEx<T> reads the records as T.
#pragma once

#include <cstring>
#include <type_traits>

#include "core/byte_buffer.h"
#include "core/com_ptr.h"
#include "hostframework/eeh3/eeh_source_enum.h"

namespace EEH3 {

class EventWrapper : public eeh_SourceEnum {
 public:
  static constexpr DWORD kBufferRecords = 8;

  // Without a host enumerator, or with one whose records are smaller than `minimumRecordSize`,
  // the source has no data.
  explicit EventWrapper(IEnumEventEx* host, DWORD minimumRecordSize = sizeof(LONG));

  LONG Position() override;
  void Seek(LONG tick) override;
  void SetPosition(LONG tick) override;
  HRESULT Clone(eeh_SourceEnum** copy) const override;

  DWORD RecordSize() const { return m_recordSize; }
  // The current record's bytes; valid while HasCurrent() holds.
  const BYTE* CurrentRecord() const { return RecordAt(m_index); }

 protected:
  EventWrapper(const EventWrapper& other, IEnumEventEx* hostCopy);
  // A copy of the host enumerator (none without one).
  HRESULT CloneHost(Quor::ComPtr<IEnumEventEx>& copy) const;

 private:
  const BYTE* RecordAt(DWORD i) const { return m_records.Data() + i * m_recordSize; }
  LONG TickAt(DWORD i) const;
  bool Fill() override;
  // Moves within the buffer when it holds tick or the gap after it; false when it does not.
  bool SeekInBuffer(LONG tick);

  Quor::ComPtr<IEnumEventEx> m_host;
  DWORD m_recordSize = 0;
  ByteBuffer m_records;
};

template <class T>
class EventWrapperEx : public EventWrapper {
  static_assert(std::is_trivially_copyable_v<T>, "event records are plain bytes");

 public:
  explicit EventWrapperEx(IEnumEventEx* host) : EventWrapper(host, sizeof(T)) {}

  HRESULT Clone(eeh_SourceEnum** copy) const override {
    *copy = nullptr;
    Quor::ComPtr<IEnumEventEx> host;
    const HRESULT hr = CloneHost(host);
    if (FAILED(hr)) return hr;
    *copy = new EventWrapperEx(*this, host.Get());
    return S_OK;
  }

  // Records are copied out: the buffer gives no alignment for T.
  T Current() const {
    T record;
    std::memcpy(&record, CurrentRecord(), sizeof(T));
    return record;
  }

 private:
  EventWrapperEx(const EventWrapperEx& other, IEnumEventEx* hostCopy)
      : EventWrapper(other, hostCopy) {}
};

}  // namespace EEH3
