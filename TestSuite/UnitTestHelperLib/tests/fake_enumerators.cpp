#include "TestSuite/UnitTestHelperLib/tests/fake_enumerators.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "host/document/data_document.h"
#include "host/document/document_data_source.h"
#include "host/framework/held_reference.h"
#include "platform/win32/com_object.h"

namespace FakeEnumerators {

namespace {

constexpr std::size_t kBeatNumberOffset = 20;

class FaultyEnumerator final : public SimpleUnknownImp1<IEnumEventEx, 1> {
 public:
  FaultyEnumerator(Fault fault, IEnumEventEx* inner, IUnknown* document, LONG record)
      : m_fault(fault), m_inner(inner), m_document(document), m_record(record) {
    PendrelHost::DataDocument* data = PendrelHost::AsDataDocument(document);
    m_online = data && !data->Source().IsClosed(std::size_t(record));
    inner->GetEventSize(&m_size);
  }

  HRESULT Next(int bytes, LONG end, void* buffer, int* fetched, LONG* next) override {
    if (m_fault == Fault::kNoEvents) {
      *fetched = 0;
      *next = kRecordEndOffset;
      return S_FALSE;
    }
    if (m_fault == Fault::kUnexpectedResult) return E_FAIL;
    HRESULT hr = m_inner->Next(bytes, end, buffer, fetched, next);
    BYTE* records = static_cast<BYTE*>(buffer);
    const int room = m_size ? int(DWORD(bytes) / m_size) : 0;
    switch (m_fault) {
      case Fault::kFalseWithoutEnd:
        if (hr == S_FALSE) *next = RecordTicks();
        if (hr == S_OK && *fetched == 0) hr = S_FALSE;
        break;
      case Fault::kShortBuffer:
        if (*fetched == room && room > 1) --*fetched;
        break;
      case Fault::kOkAtEnd:
        if (hr == S_FALSE) hr = S_OK;
        break;
      case Fault::kStuckAtRecordEnd:
        if (hr == S_FALSE) {
          hr = S_OK;
          *next = end == kRecordEndOffset ? RecordTicks() : end;
        }
        break;
      case Fault::kTickPastData:
        if (hr == S_OK && *next != kRecordEndOffset) *next = RecordTicks() + 1;
        break;
      case Fault::kOneFewerOnline:
        if (m_online) return HoldBackTheLast(records, room, fetched, next, hr);
        break;
      case Fault::kOneMoreOnline:
        if (m_online && RecordClosed() && !m_added && *fetched < room) {
          Remember(records, *fetched);
          std::memcpy(records + std::size_t(*fetched) * m_size, m_last.data(), m_size);
          LONG tick;
          std::memcpy(&tick, m_last.data(), sizeof tick);
          ++tick;
          std::memcpy(records + std::size_t(*fetched) * m_size, &tick, sizeof tick);
          ++*fetched;
          m_added = true;
          return hr;
        }
        break;
      case Fault::kChangedBeatNumber:
        if (m_online) {
          for (int i = 0; i < *fetched; ++i) {
            LONG number;
            BYTE* field = records + std::size_t(i) * m_size + kBeatNumberOffset;
            std::memcpy(&number, field, sizeof number);
            number += 1000;
            std::memcpy(field, &number, sizeof number);
          }
        }
        break;
      case Fault::kTickOffAfterBounce:
        if (m_bounced && *fetched > 0) {
          LONG tick;
          std::memcpy(&tick, records, sizeof tick);
          ++tick;
          std::memcpy(records, &tick, sizeof tick);
          m_bounced = false;
        }
        break;
      case Fault::kEndlessOnline:
        if (m_online && *fetched == 0 && room > 0 && !m_last.empty()) {
          std::memcpy(records, m_last.data(), m_size);
          *fetched = 1;
          *next = std::min(*next, RecordTicks());
          hr = S_OK;
        }
        break;
      default:
        break;
    }
    Remember(records, *fetched);
    return hr;
  }

  HRESULT Seek(BOOL backward, LONG pos, LONG from, LONG to) override {
    const HRESULT hr = m_inner->Seek(backward, pos, from, to);
    if (!backward) m_bounced = true;
    if (m_fault == Fault::kSeekMissesForward && !backward && hr == S_OK) return S_FALSE;
    if (m_fault == Fault::kSeekMissesBackward && backward && hr == S_OK) return S_FALSE;
    if (m_fault == Fault::kSeekOkInEmptyRange && hr == S_FALSE) return S_OK;
    return hr;
  }

  HRESULT GetPosition(LONG* position) override {
    const HRESULT hr = m_inner->GetPosition(position);
    if (m_fault == Fault::kPositionShort && hr == S_OK) --*position;
    return hr;
  }
  HRESULT GetReservedObject(IUnknown** object) override { return m_inner->GetReservedObject(object); }
  HRESULT Clone(IEnumEventEx** copy) override { return m_inner->Clone(copy); }
  HRESULT GetEventSize(DWORD* bytes) override { return m_inner->GetEventSize(bytes); }
  HRESULT GetEventTypeId(DWORD* type) override { return m_inner->GetEventTypeId(type); }
  HRESULT GetReservedObject2(IUnknown** object) override {
    return m_inner->GetReservedObject2(object);
  }
  HRESULT GetRateRatio(PendrelRateRatio* ratio) override { return m_inner->GetRateRatio(ratio); }

 private:
  LONG RecordTicks() const {
    auto* data = PendrelHost::AsDataDocument(m_document);
    return data ? LONG(data->Source().TickCount(std::size_t(m_record))) : 0;
  }
  // Delivers events only once the closed record settled them, never the record's last one:
  // the events the inner enumerator gave wait in a queue.
  HRESULT HoldBackTheLast(BYTE* records, int room, int* fetched, LONG* next, HRESULT hr) {
    for (int i = 0; i < *fetched; ++i) {
      const BYTE* event = records + std::size_t(i) * m_size;
      m_pending.emplace_back(event, event + m_size);
    }
    const bool closed = RecordClosed();
    const std::size_t keep = closed ? 1 : m_pending.size();  // the last waits for ever
    int given = 0;
    while (m_pending.size() > (closed ? keep : m_pending.size()) && given < room) {
      std::memcpy(records + std::size_t(given++) * m_size, m_pending.front().data(), m_size);
      m_pending.erase(m_pending.begin());
    }
    *fetched = given;
    if (!m_pending.empty() && !closed) std::memcpy(next, m_pending.front().data(), sizeof *next);
    return closed && m_pending.size() <= 1 ? hr : S_OK;
  }

  bool RecordClosed() const {
    auto* data = PendrelHost::AsDataDocument(m_document);
    return data && data->Source().IsClosed(std::size_t(m_record));
  }
  // The last event returned, for the faults that make one up.
  void Remember(const BYTE* records, int fetched) {
    if (fetched <= 0 || !m_size) return;
    const BYTE* last = records + std::size_t(fetched - 1) * m_size;
    m_last.assign(last, last + m_size);
  }

  Fault m_fault;
  Tarn::HeldReference<IEnumEventEx> m_inner;
  IUnknown* m_document;  // held by the inner enumerator
  LONG m_record;
  bool m_online = false;
  bool m_bounced = false;
  bool m_added = false;
  DWORD m_size = 0;
  std::vector<BYTE> m_last;
  std::vector<std::vector<BYTE>> m_pending;
};

}  // namespace

FaultyEnumerators::FaultyEnumerators(Fault fault) {
  PendrelHost::SetEventEnumeratorStandIn(
      [fault](IEnumEventEx* opened, IUnknown* document, LONG record, LONG) -> IEnumEventEx* {
        return new FaultyEnumerator(fault, opened, document, record);
      });
}

FaultyEnumerators::~FaultyEnumerators() { PendrelHost::SetEventEnumeratorStandIn({}); }

}  // namespace FakeEnumerators
