#include "platform/owl/module.h"

namespace OWL {

TModule::TModule(LPCWSTR name, HINSTANCE handle, bool) : m_name(name ? name : u""), m_handle(handle) {}

std::u16string TModule::LoadString(UINT id) const {
  LPWSTR text = nullptr;
  // With no buffer the loader hands out the stored text itself, of any length.
  const int length = LoadStringW(m_handle, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::u16string(text, std::size_t(length)) : std::u16string();
}

}  // namespace OWL
