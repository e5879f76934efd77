#include "host/document/preference_store.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"

namespace PendrelHost {

PreferenceStore::PreferenceStore()
    : m_values{{kPreviewGridColourPreference, 0},
               {kPreviewDisplayValuePreference, 0},
               {kPreviewGridFlagPreference, 1}} {}

HRESULT PreferenceStore::ReadInteger(IMessage* key, LONG* value) {
  return Read(key, value, "ReadInteger");
}

HRESULT PreferenceStore::ReadValue(IMessage* key, DWORD* value) {
  LONG read = 0;
  const HRESULT hr = Read(key, value ? &read : nullptr, "ReadValue");
  if (hr == S_OK) *value = DWORD(read);
  return hr;
}

HRESULT PreferenceStore::Read(IMessage* key, LONG* value, const char* operation) const {
  const DWORD preference = key ? key->GetMessageId() : 0;
  Tarn::RecordCall("PreferenceStore", operation, "key=" + Tarn::HexWord(preference));
  if (!key || !value) return E_POINTER;
  const auto found = m_values.find(preference);
  if (found == m_values.end()) return E_INVALIDARG;
  *value = found->second;
  return S_OK;
}

}  // namespace PendrelHost
