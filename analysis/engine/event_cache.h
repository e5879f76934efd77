// Reads the beat events of one record through the host's event enumerator, a block at a time.
#pragma once

#include <memory>

#include "analysis/detection/fiducial_event.h"
#include "core/com_ptr.h"
#include "platform/pendrel/data_source.h"

namespace Rhyth {

class EventCache {
 public:
  static constexpr DWORD kEventsPerBlock = 256;

  // Opens the beat channel's events in [start, end) of a record; false when there is no source,
  // the host refuses, or its records are too small to be beat records.
  bool Open(IPendrelDataSource* source, PendrelChannelRef channel, LONG record, LONG start,
            LONG end);
  // The next event; false once a block comes back empty (for an online record: for now).
  bool Next(FiducialEvent& event);
  // Releases the enumerator and the buffer.
  void Close();

  bool IsOpen() const { return static_cast<bool>(m_enumerator); }
  LONG Record() const { return m_record; }

 private:
  bool ReadBlock();

  std::unique_ptr<BYTE[]> m_buffer;
  DWORD m_bufferSize = 0;   // bytes
  DWORD m_recordSize = 0;   // bytes per event, as the enumerator reports it
  const BYTE* m_current = nullptr;
  const BYTE* m_end = nullptr;
  Quor::ComPtr<IEnumEventEx> m_enumerator;
  LONG m_record = -1;
  LONG m_endPosition = kRecordEndOffset;
};

}  // namespace Rhyth
