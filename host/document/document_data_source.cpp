#include "host/document/document_data_source.h"

#include <algorithm>
#include <mutex>

#include "host/document/event_enumerator_object.h"
#include "host/document/float_enumerator.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "DataSource";

std::string ChannelText(const PendrelChannelRef& channel) {
  return "channel=" + std::to_string(channel.index) + ":" + Tarn::HexWord(channel.kind);
}

}  // namespace

HRESULT DocumentDataSource::ReadableChannel(const PendrelChannelRef& channel, LONG record,
                                            ChannelValue& value) {
  const auto found = m_contents.Space().Resolve(channel.index);
  if (!found || !m_contents.HasRecord(record)) return E_INVALIDARG;
  std::optional<ChannelValue> readable = m_contents.ValueOf(*found);
  if (!readable) return E_FAIL;
  value = std::move(*readable);
  return S_OK;
}

HRESULT DocumentDataSource::GetRecordCount(LONG* count) {
  Tarn::RecordCall(kService, "GetRecordCount");
  if (!count) return E_POINTER;
  *count = static_cast<LONG>(m_contents.Source().RecordCount());
  return S_OK;
}

HRESULT DocumentDataSource::GetRecordInfo(LONG record, PendrelRecordInfo* info) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetRecordInfo", "record=" + std::to_string(record));
    if (!info) return E_POINTER;
    if (!m_contents.HasRecord(record)) return E_INVALIDARG;
    const Recording& recording = m_contents.Source();
    // Ticks count from the record's start, which the recording gives in seconds from its own.
    PendrelRecordInfo answer{};
    answer.tickPeriod = recording.TickPeriod();
    answer.startTime = recording.RecordStartTime(std::size_t(record));
    *info = answer;
    return S_OK;
  });
}

HRESULT DocumentDataSource::GetCurrentRecord(LONG* record) {
  Tarn::RecordCall(kService, "GetCurrentRecord");
  if (!record) return E_POINTER;
  const Recording& recording = m_contents.Source();
  // The record being sampled is the last one while it is open; without records there is none.
  *record = static_cast<LONG>(recording.RecordCount()) - 1;
  return *record < 0 ? S_FALSE : S_OK;
}

HRESULT DocumentDataSource::GetEndOfData(DWORD channelWord, LONG record, LONG* end) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(
        kService, "GetEndOfData",
        "channelWord=" + Tarn::HexWord(channelWord) + ", record=" + std::to_string(record));
    if (!end) return E_POINTER;
    if (!m_contents.HasRecord(record)) return E_INVALIDARG;
    // Every channel of a record reaches the same tick.
    *end = static_cast<LONG>(m_contents.Source().TickCount(std::size_t(record)));
    return S_OK;
  });
}

namespace {

std::mutex standInMutex;
EventEnumeratorStandIn& StandIn() {
  static EventEnumeratorStandIn standIn;
  return standIn;
}

EventEnumeratorStandIn CurrentStandIn() {
  std::lock_guard lock(standInMutex);
  return StandIn();
}

}  // namespace

void SetEventEnumeratorStandIn(EventEnumeratorStandIn standIn) {
  std::lock_guard lock(standInMutex);
  StandIn() = std::move(standIn);
}

HRESULT DocumentDataSource::OpenEventEnumerator(PendrelChannelRef channel, LONG record, LONG start,
                                                LONG end, DWORD kind, IUnknown** enumerator) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "OpenEventEnumerator",
                     ChannelText(channel) + ", record=" + std::to_string(record) +
                         ", start=" + std::to_string(start) + ", end=" + std::to_string(end) +
                         ", kind=" + Tarn::HexWord(kind));
    if (!enumerator) return E_POINTER;
    *enumerator = nullptr;
    ChannelValue value;
    const HRESULT hr = ReadableChannel(channel, record, value);
    if (FAILED(hr)) return hr;
    if (!value.IsEvents()) return E_INVALIDARG;
    const int64_t last = end < 0 || end >= kRecordEndOffset ? kAllSettled : end;
    auto cursor = std::make_unique<EventCursor>(value.events, std::size_t(record),
                                                std::max<LONG>(start, 0), last);
    IEnumEventEx* opened =
        new EventEnumeratorObject(std::move(cursor), DocumentLink::Holding(Identity()));
    if (const EventEnumeratorStandIn standIn = CurrentStandIn()) {
      opened = standIn(opened, Identity(), record, start);
      if (!opened) return E_FAIL;
    }
    *enumerator = opened;
    return S_OK;
  });
}

HRESULT DocumentDataSource::OpenFloatEnumerator(PendrelChannelRef channel, LONG record, LONG start,
                                                IEnumFloatEx** enumerator) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "OpenFloatEnumerator",
                     ChannelText(channel) + ", record=" + std::to_string(record) +
                         ", start=" + std::to_string(start));
    if (!enumerator) return E_POINTER;
    *enumerator = nullptr;
    ChannelValue value;
    const HRESULT hr = ReadableChannel(channel, record, value);
    if (FAILED(hr)) return hr;
    if (!value.IsSamples()) return E_INVALIDARG;
    auto cursor = std::make_unique<SampleCursor>(value.samples, std::size_t(record), start);
    *enumerator = new FloatEnumerator(std::move(cursor), DocumentLink::Holding(Identity()));
    return S_OK;
  });
}

HRESULT DocumentDataSource::GetDataEnd(DWORD channelWord, LONG* endOffset, LONG* endRecord) {
  Tarn::RecordCall(kService, "GetDataEnd", "channelWord=" + Tarn::HexWord(channelWord));
  if (!endOffset || !endRecord) return E_POINTER;
  const Recording& recording = m_contents.Source();
  *endOffset = *endRecord = kRecordEndOffset;
  if (recording.RecordCount() == 0) return S_FALSE;
  // Every channel of a record reaches the same tick, so any selection of channels ends there.
  const std::size_t last = recording.RecordCount() - 1;
  *endRecord = static_cast<LONG>(last);
  *endOffset = static_cast<LONG>(recording.TickCount(last));
  return S_OK;
}

HRESULT DocumentDataSource::IsValidRange(LONG startOffset, LONG startRecord, LONG endOffset,
                                         LONG endRecord) {
  Tarn::RecordCall(kService, "IsValidRange",
                   std::to_string(startOffset) + "," + std::to_string(startRecord) + " - " +
                       std::to_string(endOffset) + "," + std::to_string(endRecord));
  const Recording& recording = m_contents.Source();
  const LONG records = static_cast<LONG>(recording.RecordCount());
  if (records == 0) return S_FALSE;
  // The open end of analysis while sampling stands for the end of the last record.
  if (endRecord == 0x7FFFFFFE && endOffset == kRecordEndOffset) endRecord = records - 1;
  if (!m_contents.HasRecord(startRecord) || !m_contents.HasRecord(endRecord)) return S_FALSE;
  const auto ticks = [&](LONG record) { return recording.TickCount(std::size_t(record)); };
  const bool startInside = startOffset >= 0 && startOffset <= ticks(startRecord);
  const bool endInside =
      endOffset == kRecordEndOffset || (endOffset >= 0 && endOffset <= ticks(endRecord));
  const bool ordered = startRecord < endRecord ||
                       (startRecord == endRecord && (endOffset == kRecordEndOffset ||
                                                     startOffset <= endOffset));
  return startInside && endInside && ordered ? S_OK : S_FALSE;
}

}  // namespace PendrelHost
