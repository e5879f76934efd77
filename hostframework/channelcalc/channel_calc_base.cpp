#include "hostframework/channelcalc/channel_calc_base.h"

namespace ExtLib {

ChannelCalcBase::ChannelCalcBase(DWORD calcId, IUnknown* channel, LONGLONG setting)
    : m_calcId(calcId), m_setting(setting) {
  if (!channel) return;
  // Neither is held: the host's channel object holds this calculation and keeps the document.
  IPendrelCalcChannel* context = nullptr;
  if (SUCCEEDED(channel->QueryInterface(IPendrelCalcChannel::iid,
                                        reinterpret_cast<void**>(&context)))) {
    m_channel = context;
    context->Release();
    IUnknown* data = nullptr;
    if (SUCCEEDED(context->GetDataObject(&data)) && data) {
      m_data = data;
      data->Release();
    }
  }
}

HRESULT ChannelCalcBase::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IUnknown::iid && iid != IChannelCalc::iid) return E_NOINTERFACE;
  *object = static_cast<IChannelCalc*>(this);
  AddRef();
  return S_OK;
}

ULONG ChannelCalcBase::Release() {
  const LONG count = InterlockedDecrement(&m_refCount);
  if (count == 0) delete this;
  return ULONG(count);
}

HRESULT ChannelCalcBase::GetOutputName(DWORD, BSTR* name) {
  if (name) *name = nullptr;
  return E_NOTIMPL;
}

HRESULT ChannelCalcBase::SetupOutput(DWORD typeCode) {
  m_outputType = typeCode;
  if (!m_channel) return E_FAIL;
  return m_channel->SetupOutput(typeCode, m_calcId, m_setting);
}

void ChannelCalcBase::SetOutputRange(float maximum, float minimum, PendrelOutputScaling* scaling) {
  m_output.Clear();
  const OutputScaling derived = ScalingForRange(maximum, minimum);
  m_step = derived.step;
  m_offset = derived.offset;
  if (scaling) *scaling = derived.host;
  m_outputMaximum = INFINITY;
  m_outputMinimum = -INFINITY;
  m_dataFormat = 4;
  m_formatWord1 = 1;
  m_formatWord2 = 0;
}

}  // namespace ExtLib
