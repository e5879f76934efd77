// The sampling devices of a data document, as a preview of the document finds them: the host
// adds the devices it has for the document (host/sampling adds a simulated one), and tests set
// the busy word. Owned by the data document; each device handed out carries a reference.
#pragma once

#include <vector>

#include "host/framework/held_reference.h"
#include "platform/pendrel/sampling_device.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class SamplingDeviceList final : public SimpleUnknownImp1<IPendrelSamplingDeviceList, 1> {
 public:
  HRESULT GetBusyWord(WORD* busy) override;
  HRESULT GetCount(LONG* count) override;
  HRESULT GetDevice(LONG index, IPendrelSamplingDevice** device) override;

  // The list holds a reference on the device.
  void Add(IPendrelSamplingDevice* device) { m_devices.push_back(Tarn::Hold(device)); }
  void Clear() { m_devices.clear(); }
  void SetBusyWord(WORD busy) { m_busy = busy; }

 private:
  WORD m_busy = 0;
  std::vector<Tarn::HeldReference<IPendrelSamplingDevice>> m_devices;
};

}  // namespace PendrelHost
