#include "host/document/document_preview.h"

#include <string>

#include "host/framework/call_log.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "PreviewDocument";

HRESULT GiveSize(const char* operation, const std::string& arguments, LONG size, LONG* pixels) {
  Tarn::RecordCall("DisplayMetrics", operation, arguments);
  if (!pixels) return E_POINTER;
  *pixels = size;
  return S_OK;
}

}  // namespace

DocumentPreview::DocumentPreview()
    : m_preferences(new PreferenceStore), m_devices(new SamplingDeviceList) {}

DocumentPreview::~DocumentPreview() = default;

HRESULT DocumentPreview::GetDisplayChannelCount(LONG* count) {
  Tarn::RecordCall(kService, "GetDisplayChannelCount");
  if (!count) return E_POINTER;
  if (!m_channelCount) return S_FALSE;
  *count = *m_channelCount;
  return S_OK;
}

HRESULT DocumentPreview::GetPreferenceStore(IPendrelPreferenceStore** store) {
  Tarn::RecordCall(kService, "GetPreferenceStore");
  if (!store) return E_POINTER;
  *store = Tarn::Hold(m_preferences.get()).release();
  return *store ? S_OK : S_FALSE;
}

HRESULT DocumentPreview::GetSamplingDevices(IPendrelSamplingDeviceList** devices) {
  Tarn::RecordCall(kService, "GetSamplingDevices");
  if (!devices) return E_POINTER;
  *devices = Tarn::Hold(m_devices.get()).release();
  return *devices ? S_OK : S_FALSE;
}

HRESULT DocumentPreview::GetLabelHeight(LONG* pixels) {
  return GiveSize("GetLabelHeight", {}, m_sizes.labelHeight, pixels);
}

HRESULT DocumentPreview::GetButtonSize(LONG* pixels) {
  return GiveSize("GetButtonSize", {}, m_sizes.buttonSize, pixels);
}

HRESULT DocumentPreview::GetLaneHeight(DWORD lane, LONG* pixels) {
  return GiveSize("GetLaneHeight", "lane=" + std::to_string(lane), m_sizes.laneHeight, pixels);
}

HRESULT DocumentPreview::GetShownRange(PendrelPosition* start, PendrelPosition* end) {
  Tarn::RecordCall("ShownRange", "GetShownRange");
  if (!start || !end) return E_POINTER;
  if (!m_shown) return S_FALSE;
  *start = m_shown->first;
  *end = m_shown->second;
  return S_OK;
}

HRESULT DocumentPreview::GetCompression(double* ticksPerPixel) {
  Tarn::RecordCall("ShownRange", "GetCompression");
  if (!ticksPerPixel) return E_POINTER;
  if (!m_compression) return S_FALSE;
  *ticksPerPixel = *m_compression;
  return S_OK;
}

}  // namespace PendrelHost
