// A host data source over lists of beat records, standing in for the host's recordings: several
// records with their record information, beat events served through the host's event
// enumerator, records that grow while sampling, and a log of the enumerators opened.
#pragma once

#include <vector>

#include "analysis/detection/fiducial_event.h"
#include "analysis/engine/double_array.h"
#include "core/com_ptr.h"
#include "platform/pendrel/data_source.h"
#include "platform/win32/com_object.h"

namespace RhythTest {

// The beat channel the engine tests analyse.
constexpr PendrelChannelRef kBeatChannel = {7, 0xC0000000};

// An engine result array as a vector, for comparisons.
inline std::vector<double> Values(const Rhyth::DoubleArray& a) { return {a.begin(), a.end()}; }

// A beat as the fiducial enumerator makes it: rate 1/RR, and FF inside the default limits.
Rhyth::FiducialEvent MakeBeat(LONG position, double rr, double delta,
                              DWORD flags = Rhyth::kBeatAdmitted, double ff = 1.2);

// Admitted beats with the given RR intervals, each at the tick (1 kHz) where its interval ends
// counting from `start`; the change of RR of the first is `firstDelta`.
std::vector<Rhyth::FiducialEvent> BeatsWithIntervals(const std::vector<double>& rr,
                                                     double firstDelta = 0.0, LONG start = 0);

// Ticks of 1 ms from the document start.
inline constexpr PendrelRecordInfo kMillisecondTicks = {0.001, 0.0, 0.0, 0.0, 0.0, 0, 0};

struct BeatRecord {
  PendrelRecordInfo info = kMillisecondTicks;
  std::vector<Rhyth::FiducialEvent> events;  // in position order
  bool growing = false;                      // still being sampled: its events may grow
  LONG endOfData = kRecordEndOffset;
};

struct OpenedEnumerator {
  PendrelChannelRef channel;
  LONG record;
  LONG start;
  LONG end;
  DWORD kind;
};

class BeatListSource : public SimpleUnknownImp1<IPendrelDataSource> {
 public:
  static Quor::ComPtr<BeatListSource> Create() {
    return Quor::ComPtr<BeatListSource>(new BeatListSource);
  }

  LONG AddRecord(std::vector<Rhyth::FiducialEvent> events,
                 const PendrelRecordInfo& info = kMillisecondTicks, bool growing = false);

  std::vector<BeatRecord> records;
  LONG currentRecord = 0;
  DWORD eventSize = sizeof(Rhyth::FiducialEvent);  // what the enumerators report
  bool refuseEnumerators = false;
  std::vector<OpenedEnumerator> opened;

  HRESULT GetRecordCount(LONG* count) override;
  HRESULT GetRecordInfo(LONG record, PendrelRecordInfo* info) override;
  HRESULT GetCurrentRecord(LONG* record) override;
  HRESULT GetEndOfData(DWORD channelWord, LONG record, LONG* end) override;
  HRESULT OpenEventEnumerator(PendrelChannelRef channel, LONG record, LONG start, LONG end,
                              DWORD kind, IUnknown** enumerator) override;
  HRESULT OpenFloatEnumerator(PendrelChannelRef, LONG, LONG, IEnumFloatEx**) override {
    return E_NOTIMPL;
  }
  HRESULT GetDataEnd(DWORD, LONG*, LONG*) override { return E_NOTIMPL; }
  HRESULT IsValidRange(LONG, LONG, LONG, LONG) override { return E_NOTIMPL; }

 private:
  BeatListSource() = default;
  bool HasRecord(LONG record) const { return record >= 0 && record < LONG(records.size()); }
};

}  // namespace RhythTest
