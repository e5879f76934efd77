#include "host/document/document_child_data.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace PendrelHost {

namespace {
constexpr const char* kService = "ChildData";
}

HRESULT DocumentChildData::SetChildData(DWORD type, IPendrelDataChildData* data) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "SetChildData",
                     "type=" + Tarn::HexWord(type) + ", data=" + Tarn::Presence(data));
    Tarn::HeldReference<IPendrelDataChildData> replaced;
    const auto found = m_objects.find(type);
    if (found != m_objects.end()) {
      replaced = std::move(found->second);
      m_objects.erase(found);
    }
    if (!data) return replaced ? S_OK : S_FALSE;
    m_objects.emplace(type, Tarn::Hold(data));
    // The replaced object is released last: its release may call back into the document.
    return S_OK;
  });
}

HRESULT DocumentChildData::GetChildData(DWORD type, IPendrelDataChildData** data) {
  Tarn::RecordCall(kService, "GetChildData", "type=" + Tarn::HexWord(type));
  if (!data) return E_POINTER;
  *data = nullptr;
  const auto found = m_objects.find(type);
  if (found == m_objects.end()) return S_FALSE;
  *data = found->second.get();
  (*data)->AddRef();
  return S_OK;
}

HRESULT DocumentChildData::GetChildDataTypes(DWORD room, DWORD* types, DWORD* count) {
  Tarn::RecordCall(kService, "GetChildDataTypes");
  if (!count || (room > 0 && !types)) return E_POINTER;
  *count = DWORD(m_objects.size());
  DWORD written = 0;
  for (const auto& [type, object] : m_objects) {
    if (written == room) break;
    types[written++] = type;
  }
  return S_OK;
}

}  // namespace PendrelHost
