#include "hostframework/tabulon/chan_data_func.h"

ChanDataFuncIfRecordDataMatchesDoc::ChanDataFuncIfRecordDataMatchesDoc(
    TabulonFuncClassBase* classObject, IUnknown* host, LONG channel)
    : ChanValueFunc(classObject, host, channel) {
  ITabulonHost* tabulonHost = nullptr;
  if (!host || FAILED(host->QueryInterface(ITabulonHost::iid, reinterpret_cast<void**>(&tabulonHost))) ||
      !tabulonHost) {
    return;
  }
  IUnknown* data = nullptr;
  if (SUCCEEDED(tabulonHost->GetRecordData(&data)) && data) {
    data->QueryInterface(IPendrelRecordData::iid, Quor::ComPtrOut<IPendrelRecordData>::Bind(m_recordData));
    data->Release();
  }
  tabulonHost->Release();
}

HRESULT ChanDataFuncIfRecordDataMatchesDoc::Evaluate(DWORD reason, LONG channel, DWORD flags,
                                                     VARIANT* value) {
  if (Source() && Source() == m_recordData.Get()) {
    return TabulonFuncBase::Evaluate(reason, channel, value);
  }
  return ChanValueFunc::Evaluate(reason, channel, flags, value);
}

HRESULT ChanDataFuncIfRecordDataMatchesDoc::Detach() {
  ChanValueFunc::Detach();
  m_recordData.Clear();
  return S_OK;
}
