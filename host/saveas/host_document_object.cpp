#include "host/saveas/host_document_object.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"

namespace PendrelHost {

HRESULT HostDocumentObject::GetModuleDocument(DWORD type, IUnknown** document) {
  Tarn::RecordCall("HostDocument", "GetModuleDocument", "type=" + Tarn::HexWord(type));
  if (!document) return E_POINTER;
  *document = m_document->ModuleOfType(type);
  if (!*document) return S_FALSE;
  (*document)->AddRef();
  return S_OK;
}

}  // namespace PendrelHost
