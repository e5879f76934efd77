// The host's stored display preferences, as a preview reads them by the shared service's key
// messages: fixed defaults for the three a preview reads (the grid's colour index, a display
// value, whether the grid is shown), which tests may change. Owned by the data document.
#pragma once

#include <map>

#include "platform/pendrel/preview_document.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class PreferenceStore final : public SimpleUnknownImp1<IPendrelPreferenceStore, 1> {
 public:
  PreferenceStore();

  // E_INVALIDARG for a key of a preference the store does not keep.
  HRESULT ReadInteger(IMessage* key, LONG* value) override;
  HRESULT ReadValue(IMessage* key, DWORD* value) override;

  void Set(DWORD preference, LONG value) { m_values[preference] = value; }

 private:
  HRESULT Read(IMessage* key, LONG* value, const char* operation) const;

  std::map<DWORD, LONG> m_values;
};

}  // namespace PendrelHost
