// One input of an enumerator's algorithm: a host channel read one sample or one event at a time,
// with its own buffer. The algorithm walks it with HasCurrent / Position / Advance; the
// enumerator moves it with Seek to where a saved algorithm state left it, and bounds it with
// SetEnd to the part of the record it works on.
#pragma once

#include "platform/pendrel/data_source.h"

namespace EEH3 {

class eeh_SourceEnum {
 public:
  eeh_SourceEnum() = default;
  eeh_SourceEnum& operator=(const eeh_SourceEnum&) = delete;
  virtual ~eeh_SourceEnum() = default;

  // The tick of the current item, or, when none is buffered, where reading goes on.
  virtual LONG Position() = 0;
  virtual void Advance() {
    if (HasCurrent()) ++m_index;
  }
  // Whether an item is there to read, asking the host for more when the buffer is used up.
  virtual bool HasCurrent() {
    if (HasUnread()) return true;
    if (m_ended) return false;
    return Fill();
  }
  virtual void Seek(LONG tick) = 0;
  // Follows a position that the host set from outside.
  virtual void SetPosition(LONG tick) = 0;
  virtual PendrelRateRatio GetRateRatio() const { return m_rateRatio; }
  virtual void ClearBuffer() { m_index = m_count = 0; }
  // A wrapper over a copy of the host object, standing where this one stands.
  virtual HRESULT Clone(eeh_SourceEnum** copy) const = 0;

  bool HasUnread() const { return m_index < m_count; }
  // No item is buffered and the host has no more for now.
  bool AtEnd() const { return m_ended && !HasUnread(); }
  LONG HardEnd() const { return m_hardEnd; }
  // Data may come again up to `end`, also after the host had none. While the record is
  // `growing`, a host that has no more samples has none yet: the source waits instead of ending.
  void SetEnd(LONG end, bool growing) {
    m_hardEnd = end;
    m_growing = growing;
    m_ended = false;
  }
  void SetRateRatio(const PendrelRateRatio& ratio) { m_rateRatio = ratio; }

 protected:
  eeh_SourceEnum(const eeh_SourceEnum&) = default;

  // Reads the next items from the host into the buffer; false when none came.
  virtual bool Fill() = 0;

  // A seek at or beyond the hard end leaves no data; true when `tick` lies there.
  bool SeekBeyondEnd(LONG tick) {
    if (tick < m_hardEnd) return false;
    ClearBuffer();
    m_next = tick;
    m_ended = true;
    return true;
  }

  bool m_ended = false;
  bool m_growing = false;
  LONG m_hardEnd = kRecordEndOffset;
  DWORD m_index = 0;
  DWORD m_count = 0;
  LONG m_next = 0;  // the tick where reading goes on after the buffer
  PendrelRateRatio m_rateRatio{1, 1, 1.0};
};

}  // namespace EEH3
