#include "plotengine/browser_control/any_string.h"

namespace Quor::COMString::detail {

HRESULT AnyString<std::string>::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IAutoQuorString::iid && iid != IUnknown::iid) return E_NOINTERFACE;
  *object = static_cast<IAutoQuorString*>(this);
  AddRef();
  return S_OK;
}

IQuorString* AnyString<std::string>::Wide() {
  if (!m_wideFace) m_wideFace = String::FromUtf8(m_text).GetInterface();
  return m_wideFace;
}

}  // namespace Quor::COMString::detail
