#include "host/document/event_enumerator_object.h"

#include <algorithm>
#include <span>
#include <string>

#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "platform/pendrel/record_channels.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "EventEnumerator";

// The module's ticks are 32-bit, its open end kRecordEndOffset; the cursor's open end is
// kAllSettled.
int64_t CursorTick(LONG tick) { return tick < 0 || tick >= kRecordEndOffset ? kAllSettled : tick; }

std::string Arguments(std::initializer_list<std::pair<const char*, int64_t>> values) {
  std::string text;
  for (const auto& [name, value] : values) {
    if (!text.empty()) text += ", ";
    text += name;
    text += '=';
    text += std::to_string(value);
  }
  return text;
}

}  // namespace

LONG EventEnumeratorObject::Position() const {
  return m_ended ? kRecordEndOffset
                 : static_cast<LONG>(std::min<int64_t>(m_cursor->Position(), kRecordEndOffset));
}

HRESULT EventEnumeratorObject::Next(int bytes, LONG end, void* buffer, int* fetched, LONG* next) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "Next", Arguments({{"bytes", bytes}, {"end", end}}));
    if (fetched) *fetched = 0;
    if (!fetched || !next) return E_POINTER;
    if (bytes < 0) return E_INVALIDARG;
    if (bytes > 0 && !buffer) return E_POINTER;
    if (!m_ended) {
      const EventBatch batch = m_cursor->Next(
          CursorTick(end),
          std::span<std::byte>(static_cast<std::byte*>(buffer), static_cast<std::size_t>(bytes)));
      *fetched = static_cast<int>(batch.fetched);
      m_ended = batch.ended;
    }
    *next = Position();
    return m_ended ? S_FALSE : S_OK;
  });
}

HRESULT EventEnumeratorObject::Seek(BOOL backward, LONG pos, LONG from, LONG to) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "Seek",
                     Arguments({{"backward", backward}, {"pos", pos}, {"from", from}, {"to", to}}));
    m_ended = false;
    if (m_cursor->Seek(backward != FALSE, pos, std::max<LONG>(from, 0), CursorTick(to)))
      return S_OK;
    // Reading goes on from where the search began (inside the range searched), as after an
    // event found there, whichever way it went: the position never stays outside the range.
    const LONG low = std::max<LONG>(from, 0);
    m_cursor->MoveTo(std::clamp(pos, low, std::max(low, to)));
    return S_FALSE;
  });
}

HRESULT EventEnumeratorObject::GetPosition(LONG* position) {
  Tarn::RecordCall(kService, "GetPosition");
  if (!position) return E_POINTER;
  *position = Position();
  return S_OK;
}

HRESULT EventEnumeratorObject::GetReservedObject(IUnknown** object) {
  Tarn::RecordCall(kService, "GetReservedObject");
  if (object) *object = nullptr;
  return E_NOTIMPL;
}

HRESULT EventEnumeratorObject::Clone(IEnumEventEx** copy) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "Clone");
    if (!copy) return E_POINTER;
    *copy = nullptr;
    auto* clone = new EventEnumeratorObject(m_cursor->Clone(), m_document);
    clone->m_ended = m_ended;
    *copy = clone;
    return S_OK;
  });
}

HRESULT EventEnumeratorObject::GetEventSize(DWORD* bytes) {
  Tarn::RecordCall(kService, "GetEventSize");
  if (!bytes) return E_POINTER;
  *bytes = static_cast<DWORD>(m_cursor->RecordSize());
  return S_OK;
}

HRESULT EventEnumeratorObject::GetEventTypeId(DWORD* type) {
  Tarn::RecordCall(kService, "GetEventTypeId");
  if (!type) return E_POINTER;
  *type = kEventChannelItemType;
  return S_OK;
}

HRESULT EventEnumeratorObject::GetReservedObject2(IUnknown** object) {
  Tarn::RecordCall(kService, "GetReservedObject2");
  if (object) *object = nullptr;
  return E_NOTIMPL;
}

HRESULT EventEnumeratorObject::GetRateRatio(PendrelRateRatio* ratio) {
  Tarn::RecordCall(kService, "GetRateRatio");
  if (!ratio) return E_POINTER;
  // Every channel of a document runs at the record's tick rate.
  *ratio = {1, 1, 1.0};
  return S_OK;
}

HRESULT EventEnumeratorObject::GetDocument(IUnknown** document) {
  Tarn::RecordCall(kService, "GetDocument");
  return m_document.GetDocument(document);
}

}  // namespace PendrelHost
