#include "host/document/document_time_text.h"

#include <cmath>
#include <cstdio>

#include "core/quor_string.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "platform/pendrel/recording_document.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "DocumentTimeText";
constexpr double kSecondsPerDay = 86400.0;

// h:mm:ss.sss, the milliseconds rounded first so that 59.9996 s carries into the minute.
std::string ClockText(double seconds, bool twoDigitHours) {
  const long long millis = std::llround(seconds * 1000.0);
  const long long whole = millis / 1000;
  char text[48];
  std::snprintf(text, sizeof text, twoDigitHours ? "%02lld:%02lld:%02lld.%03lld" : "%lld:%02lld:%02lld.%03lld",
                whole / 3600, whole / 60 % 60, whole % 60, millis % 1000);
  return text;
}

}  // namespace

HRESULT DocumentTimeText::GetName(BSTR* name) {
  Tarn::RecordCall(kService, "GetName");
  if (!name) return E_POINTER;
  SysFreeString(*name);
  *name = m_name.empty() ? nullptr : SysAllocStringLen(m_name.data(), UINT(m_name.size()));
  return S_OK;
}

HRESULT DocumentTimeText::GetTimeDisplayMode(BYTE* mode) {
  Tarn::RecordCall(kService, "GetTimeDisplayMode");
  if (!mode) return E_POINTER;
  *mode = m_mode;
  return S_OK;
}

HRESULT DocumentTimeText::PositionToText(DWORD, const PendrelTextFormat* format, LONG offset,
                                         LONG record, DWORD flags, BYTE mode,
                                         IQuorString** text) {
  Tarn::RecordCall(kService, "PositionToText",
                   "offset=" + std::to_string(offset) + ", record=" + std::to_string(record) +
                       ", flags=" + Tarn::HexWord(flags) + ", mode=" + std::to_string(mode));
  if (!text) return E_POINTER;
  *text = nullptr;
  if (!format || format->kind != kSelectionOfData) return E_INVALIDARG;
  if (record < 0 || std::size_t(record) >= m_recording.RecordCount()) return E_INVALIDARG;
  if (offset < 0 || offset > m_recording.TickCount(std::size_t(record))) return E_INVALIDARG;
  if (m_positionText) {
    *text = Quor::String(*m_positionText).GetInterface();
    return S_OK;
  }
  const double elapsed =
      m_recording.RecordStartTime(std::size_t(record)) + offset * m_recording.TickPeriod();
  const auto start = m_recording.StartDateTime();
  const bool clock = mode == kTimeDisplayClock && start.has_value();
  const std::string written =
      clock ? ClockText(std::fmod(*start + elapsed, kSecondsPerDay), true) : ClockText(elapsed, false);
  *text = Quor::String(written).GetInterface();
  return S_OK;
}

HRESULT DocumentTimeText::GetEndPosition(DWORD which, LONG* offset) {
  Tarn::RecordCall(kService, "GetEndPosition", Tarn::HexWord(which));
  if (!offset) return E_POINTER;
  if (which != kDataEndPosition || m_recording.RecordCount() == 0) return E_INVALIDARG;
  *offset = LONG(m_recording.TickCount(m_recording.RecordCount() - 1));
  return S_OK;
}

}  // namespace PendrelHost
