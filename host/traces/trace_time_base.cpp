#include "host/traces/trace_time_base.h"

#include "core/com_ptr.h"
#include "host/framework/call_log.h"
#include "platform/pendrel/document_time_text.h"

namespace PendrelHost {

TraceTimeBase::TraceTimeBase(IUnknown* document) : m_document(Tarn::Hold(document)) {}

HRESULT TraceTimeBase::GetTimeDisplayMode(BYTE* mode) {
  Tarn::RecordCall("TraceTimeBase", "GetTimeDisplayMode");
  if (!mode) return E_POINTER;
  *mode = m_mode != 0 ? m_mode : kTimeDisplayElapsed;
  if (m_mode != 0) return S_OK;
  if (const auto texts = Quor::QueryFace<IPendrelDocumentTimeText>(m_document.get())) {
    BYTE documentMode = 0;
    if (SUCCEEDED(texts->GetTimeDisplayMode(&documentMode)) && documentMode != 0)
      *mode = documentMode;
  }
  return S_OK;
}

}  // namespace PendrelHost
