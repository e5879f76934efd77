#include "plotengine/browser_control/any_string.h"

namespace Quor::COMString::detail {

HRESULT AnyString<std::string>::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IAutoQuorString::iid || iid == IUnknown::iid) {
    *object = static_cast<IAutoQuorString*>(this);
  } else if (iid == IQuorStringText::iid) {
    *object = static_cast<IQuorStringText*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT AnyString<std::string>::GetNarrow(const char** text, DWORD* length) {
  if (!text || !length) return E_POINTER;
  if (!m_narrowCopy) m_narrowCopy = m_text;
  *text = m_narrowCopy->data();
  *length = DWORD(m_narrowCopy->size());
  return S_OK;
}

HRESULT AnyString<std::string>::GetWide(const WCHAR** text, DWORD* length) {
  if (!text || !length) return E_POINTER;
  if (!m_wideCopy) m_wideCopy = String::FromUtf8(m_text).ToStdWString();
  *text = m_wideCopy->data();
  *length = DWORD(m_wideCopy->size());
  return S_OK;
}

IQuorString* AnyString<std::string>::Wide() {
  if (!m_wideFace) m_wideFace = String::FromUtf8(m_text).GetInterface();
  return m_wideFace;
}

}  // namespace Quor::COMString::detail
