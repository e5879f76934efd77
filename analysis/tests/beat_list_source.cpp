#include "analysis/tests/beat_list_source.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace RhythTest {

namespace {

// The events of one record in [start, end), in order. Records with position kRecordEndOffset
// pass whatever the range, as a host may hand over a record it never filled.
class BeatListEnumerator : public SimpleUnknownImp1<IEnumEventEx> {
 public:
  BeatListEnumerator(BeatListSource* source, LONG record, LONG start, LONG end)
      : m_source(source), m_record(record), m_start(start), m_end(end) {}

  HRESULT Next(int bytes, LONG end, void* buffer, int* fetched, LONG* next) override {
    if (!buffer || !fetched || !next) return E_POINTER;
    const BeatRecord& record = m_source->records[m_record];
    const DWORD size = m_source->eventSize;
    const int capacity = bytes > 0 ? int(DWORD(bytes) / size) : 0;
    const LONG limit = std::min(end < 0 ? kRecordEndOffset : end, m_end);
    *fetched = 0;
    bool pastRange = false;
    while (*fetched < capacity && m_index < record.events.size()) {
      const Rhyth::FiducialEvent& event = record.events[m_index];
      if (event.position != kRecordEndOffset) {
        if (event.position < m_start) {
          ++m_index;
          continue;
        }
        if (event.position >= limit) {
          pastRange = event.position >= m_end;
          break;
        }
        m_position = event.position;
      }
      BYTE* slot = static_cast<BYTE*>(buffer) + std::size_t(*fetched) * size;
      std::memset(slot, 0, size);
      std::memcpy(slot, &event, std::min<std::size_t>(size, sizeof event));
      ++*fetched;
      ++m_index;
    }
    const bool allRead = m_index == record.events.size() || pastRange;
    if (allRead && !record.growing) {
      *next = kRecordEndOffset;
      return S_FALSE;
    }
    *next = m_position;
    return S_OK;
  }
  HRESULT Seek(BOOL, LONG, LONG, LONG) override { return E_NOTIMPL; }
  HRESULT GetPosition(LONG* position) override {
    *position = m_position;
    return S_OK;
  }
  HRESULT GetReservedObject(IUnknown** object) override {
    *object = nullptr;
    return E_NOTIMPL;
  }
  HRESULT Clone(IEnumEventEx** copy) override {
    *copy = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetEventSize(DWORD* bytes) override {
    *bytes = m_source->eventSize;
    return S_OK;
  }
  HRESULT GetEventTypeId(DWORD* type) override {
    *type = 1;
    return S_OK;
  }
  HRESULT GetReservedObject2(IUnknown** object) override {
    *object = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetRateRatio(PendrelRateRatio* ratio) override {
    *ratio = {1, 1, 1.0};
    return S_OK;
  }

 private:
  Quor::ComPtr<BeatListSource> m_source;
  LONG m_record;
  LONG m_start;
  LONG m_end;
  std::size_t m_index = 0;
  LONG m_position = 0;
};

}  // namespace

Rhyth::FiducialEvent MakeBeat(LONG position, double rr, double delta, DWORD flags, double ff) {
  Rhyth::FiducialEvent beat{};
  beat.position = position;
  beat.ff = ff;
  beat.rr = rr;
  beat.deltaRR = delta;
  beat.rate = 1 / rr;
  beat.flags = flags;
  return beat;
}

std::vector<Rhyth::FiducialEvent> BeatsWithIntervals(const std::vector<double>& rr,
                                                     double firstDelta, LONG start) {
  std::vector<Rhyth::FiducialEvent> beats;
  double elapsed = 0;
  for (std::size_t i = 0; i < rr.size(); ++i) {
    elapsed += rr[i];
    const double delta = i == 0 ? firstDelta : rr[i] - rr[i - 1];
    beats.push_back(MakeBeat(start + LONG(std::lround(elapsed * 1000)), rr[i], delta));
    beats.back().beatNumber = LONG(i + 1);
  }
  return beats;
}

LONG BeatListSource::AddRecord(std::vector<Rhyth::FiducialEvent> events,
                               const PendrelRecordInfo& info, bool growing) {
  records.push_back({info, std::move(events), growing, kRecordEndOffset});
  return LONG(records.size() - 1);
}

HRESULT BeatListSource::GetRecordCount(LONG* count) {
  *count = LONG(records.size());
  return S_OK;
}

HRESULT BeatListSource::GetRecordInfo(LONG record, PendrelRecordInfo* info) {
  if (!HasRecord(record)) return E_INVALIDARG;
  *info = records[record].info;
  return S_OK;
}

HRESULT BeatListSource::GetCurrentRecord(LONG* record) {
  *record = currentRecord;
  return S_OK;
}

HRESULT BeatListSource::GetEndOfData(DWORD, LONG record, LONG* end) {
  if (!HasRecord(record)) return E_INVALIDARG;
  *end = records[record].endOfData;
  return S_OK;
}

HRESULT BeatListSource::OpenEventEnumerator(PendrelChannelRef channel, LONG record, LONG start,
                                            LONG end, DWORD kind, IUnknown** enumerator) {
  *enumerator = nullptr;
  opened.push_back({channel, record, start, end, kind});
  if (refuseEnumerators || !HasRecord(record)) return E_FAIL;
  auto* created = new BeatListEnumerator(this, record, start, end);
  return created->QueryInterface(IUnknown::iid, reinterpret_cast<void**>(enumerator));
}

}  // namespace RhythTest
