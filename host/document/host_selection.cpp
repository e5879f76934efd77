#include "host/document/host_selection.h"

#include "host/framework/call_log.h"
#include "host/recording/recording_error.h"
#include "host/framework/guarded_call.h"
#include "platform/pendrel/data_source.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "Selection";

std::string PositionText(const PendrelPosition& position) {
  return std::to_string(position.offset) + "," + std::to_string(position.record);
}

}  // namespace

HRESULT HostSelection::GetKind(DWORD* kind) {
  Tarn::RecordCall(kService, "GetKind");
  if (!kind) return E_POINTER;
  *kind = m_channelsOnly ? kSelectionOfChannels : kSelectionOfData;
  return S_OK;
}

HRESULT HostSelection::GetRange(PendrelPosition* start, PendrelPosition* end) {
  Tarn::RecordCall(kService, "GetRange");
  if (!start || !end) return E_POINTER;
  *start = *end = {kRecordEndOffset, kRecordEndOffset};
  if (!m_recording || !m_recording->CurrentSelection()) return S_FALSE;
  const Selection& selection = *m_recording->CurrentSelection();
  *start = {LONG(selection.start.tick), LONG(selection.start.record)};
  *end = {LONG(selection.end.tick), LONG(selection.end.record)};
  return S_OK;
}

HRESULT HostSelection::IsRange(VARIANT_BOOL* range) {
  Tarn::RecordCall(kService, "IsRange");
  if (!range) return E_POINTER;
  const auto& selection = m_recording ? m_recording->CurrentSelection() : std::nullopt;
  *range = selection && selection->start < selection->end ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT HostSelection::IsPoint(VARIANT_BOOL* point) {
  Tarn::RecordCall(kService, "IsPoint");
  if (!point) return E_POINTER;
  const auto& selection = m_recording ? m_recording->CurrentSelection() : std::nullopt;
  *point = selection && selection->start == selection->end ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

LONGLONG HostSelection::AbsoluteTick(const RecordPosition& position) const {
  LONGLONG ticks = 0;
  for (std::size_t record = 0; record < position.record; ++record) {
    ticks += m_recording->TickCount(record);
  }
  return ticks + position.tick;
}

HRESULT HostSelection::GetExtent(LONGLONG* start, LONGLONG* end) {
  Tarn::RecordCall(kService, "GetExtent");
  if (!start || !end) return E_POINTER;
  *start = *end = 0;
  if (!m_recording || !m_recording->CurrentSelection()) return S_FALSE;
  *start = AbsoluteTick(m_recording->CurrentSelection()->start);
  *end = AbsoluteTick(m_recording->CurrentSelection()->end);
  return S_OK;
}

HRESULT HostSelection::BeginChange() {
  Tarn::RecordCall(kService, "BeginChange");
  return m_recording ? S_OK : E_UNEXPECTED;
}

HRESULT HostSelection::SelectRange(PendrelPosition start, PendrelPosition end) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "SelectRange", PositionText(start) + " - " + PositionText(end));
    if (!m_recording) return E_UNEXPECTED;
    if (start.record < 0 || end.record < 0 || start.offset < 0 || end.offset < 0 ||
        std::size_t(end.record) >= m_recording->RecordCount()) {
      return E_INVALIDARG;
    }
    const int64_t endTick = end.offset == kRecordEndOffset
                                ? m_recording->TickCount(std::size_t(end.record))
                                : int64_t(end.offset);
    try {
      m_recording->Select(Selection{{std::size_t(start.record), start.offset},
                                    {std::size_t(end.record), endTick}});
    } catch (const RecordingError&) {
      return E_INVALIDARG;
    }
    m_channelsOnly = false;
    return S_OK;
  });
}

HRESULT HostSelection::SelectChannel(DWORD index, DWORD kind, double low, double high) {
  Tarn::RecordCall(kService, "SelectChannel",
                   std::to_string(index) + ", " + std::to_string(low) + " to " +
                       std::to_string(high));
  if (!m_recording) return E_UNEXPECTED;
  m_shown = ShownChannel{index, kind, low, high};
  return S_OK;
}

}  // namespace PendrelHost
