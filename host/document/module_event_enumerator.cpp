#include "host/document/module_event_enumerator.h"

#include <algorithm>
#include <climits>

#include "host/channels/channel_error.h"
#include "host/document/event_enumerator_object.h"
#include "host/document/float_enumerator.h"
#include "host/framework/call_arguments.h"

namespace PendrelHost {

namespace {

// The host's enumerator over one source cursor, with one reference.
Tarn::HeldReference<IUnknown> SourceObject(EnumeratorSource& source, IUnknown* document) {
  const DocumentLink link = DocumentLink::Inside(document);
  if (auto* samples = std::get_if<std::unique_ptr<SampleCursor>>(&source)) {
    return Tarn::HeldReference<IUnknown>(
        static_cast<IEnumFloatEx*>(new FloatEnumerator(std::move(*samples), link)));
  }
  auto& events = std::get<std::unique_ptr<EventCursor>>(source);
  return Tarn::HeldReference<IUnknown>(
      static_cast<IEnumEventEx*>(new EventEnumeratorObject(std::move(events), link)));
}

}  // namespace

ModuleEventEnumerator::ModuleEventEnumerator(std::string className,
                                             Tarn::HeldReference<ICalcEnum> control,
                                             Tarn::HeldReference<IEnumEventEx> events,
                                             std::size_t recordSize, IUnknown* document)
    : m_className(std::move(className)),
      m_control(std::move(control)),
      m_events(std::move(events)),
      m_recordSize(recordSize),
      m_document(document) {}

uint32_t ModuleEventEnumerator::EventTypeWord() const {
  DWORD type = 0;
  return SUCCEEDED(m_events->GetEventTypeId(&type)) ? type : 0;
}

void ModuleEventEnumerator::Fail(const std::string& what, HRESULT hr) const {
  throw ChannelError(m_className + " " + what + " (" + Tarn::HexWord(DWORD(hr)) + ")");
}

void ModuleEventEnumerator::StartRecord(std::size_t record, std::vector<EnumeratorSource> sources,
                                        double tickPeriod, bool online) {
  std::vector<Tarn::HeldReference<IUnknown>> objects;
  std::vector<IUnknown*> pointers;
  for (EnumeratorSource& source : sources) {
    objects.push_back(SourceObject(source, m_document));
    pointers.push_back(objects.back().get());
  }
  const HRESULT hr =
      m_control->StartRecord(static_cast<LONG>(record), static_cast<LONG>(pointers.size()),
                             pointers.data(), 0, tickPeriod, online ? -1 : 0);
  if (FAILED(hr)) Fail("could not start record " + std::to_string(record + 1), hr);
}

void ModuleEventEnumerator::SetPosition(int64_t tick) {
  const HRESULT hr =
      m_control->SetPosition(static_cast<LONG>(std::clamp<int64_t>(tick, 0, kRecordEndOffset)));
  if (FAILED(hr)) Fail("could not go on from tick " + std::to_string(tick), hr);
}

EventBatch ModuleEventEnumerator::Next(int64_t end, std::span<std::byte> buffer) {
  const LONG limit = static_cast<LONG>(std::clamp<int64_t>(end, 0, kRecordEndOffset));
  const int bytes = static_cast<int>(std::min<std::size_t>(buffer.size(), INT_MAX));
  int fetched = 0;
  LONG next = limit;
  const HRESULT hr = m_events->Next(bytes, limit, buffer.data(), &fetched, &next);
  if (FAILED(hr)) Fail("failed to give events", hr);
  EventBatch batch;
  batch.fetched =
      static_cast<std::size_t>(std::clamp<int>(fetched, 0, bytes / static_cast<int>(m_recordSize)));
  batch.ended = hr != S_OK;
  batch.next = batch.ended ? kAllSettled : next;
  return batch;
}

}  // namespace PendrelHost
