#include "host/document/sampling_device_list.h"

#include <string>

#include "host/framework/call_log.h"

namespace PendrelHost {

namespace {
constexpr const char* kService = "SamplingDeviceList";
}  // namespace

HRESULT SamplingDeviceList::GetBusyWord(WORD* busy) {
  Tarn::RecordCall(kService, "GetBusyWord");
  if (!busy) return E_POINTER;
  *busy = m_busy;
  return S_OK;
}

HRESULT SamplingDeviceList::GetCount(LONG* count) {
  Tarn::RecordCall(kService, "GetCount");
  if (!count) return E_POINTER;
  *count = LONG(m_devices.size());
  return S_OK;
}

HRESULT SamplingDeviceList::GetDevice(LONG index, IPendrelSamplingDevice** device) {
  Tarn::RecordCall(kService, "GetDevice", "index=" + std::to_string(index));
  if (!device) return E_POINTER;
  *device = nullptr;
  if (index < 0 || std::size_t(index) >= m_devices.size()) return E_INVALIDARG;
  *device = Tarn::Hold(m_devices[std::size_t(index)].get()).release();
  return S_OK;
}

}  // namespace PendrelHost
