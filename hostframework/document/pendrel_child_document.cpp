#include "hostframework/document/pendrel_child_document.h"

#include "platform/pendrel/child_data.h"

PendrelChildDocument::PendrelChildDocument(IUnknown* parent, IUnknown* host, DWORD tag,
                                           DWORD word)
    : TarnDocument(parent, host, tag, word) {
  if (!host) return;
  host->QueryInterface(IPendrelRecordingDocument::iid,
                       Quor::ComPtrOut<IPendrelRecordingDocument>::Bind(m_recording));
  if (!m_recording) return;
  m_recording->GetDataDocument(Quor::ComPtrOut<IUnknown>::Bind(m_dataDocument));
  if (m_dataDocument) {
    m_dataDocument->QueryInterface(IPendrelDataSource::iid,
                                   Quor::ComPtrOut<IPendrelDataSource>::Bind(m_dataSource));
  }
  m_recording->GetSamplingController(
      Quor::ComPtrOut<IPendrelSamplingController>::Bind(m_sampling));
  m_recording->GetSelection(Quor::ComPtrOut<IPendrelSelection>::Bind(m_selection));
}

PendrelChildDocument::~PendrelChildDocument() { m_recording.Clear(); }

HRESULT PendrelChildDocument::Close() {
  m_recording.Clear();
  return TarnDocument::Close();
}

HRESULT PendrelChildDocument::GetChildData(DWORD type, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  Quor::ComPtr<IPendrelChildDataContainer> container;
  if (m_dataDocument) {
    m_dataDocument->QueryInterface(IPendrelChildDataContainer::iid,
                                   Quor::ComPtrOut<IPendrelChildDataContainer>::Bind(container));
  }
  if (!container) return E_NOINTERFACE;
  Quor::ComPtr<IPendrelDataChildData> data;
  // The out-adaptor fills `data` at the end of the statement that made it.
  const HRESULT found =
      container->GetChildData(type, Quor::ComPtrOut<IPendrelDataChildData>::Bind(data));
  if (found != S_OK || !data) return S_FALSE;
  return data->QueryInterface(iid, object);
}

bool PendrelChildDocument::IsHostBusy() {
  VARIANT_BOOL busy = VARIANT_FALSE;
  return m_sampling && SUCCEEDED(m_sampling->IsBusy(&busy)) && busy != VARIANT_FALSE;
}
