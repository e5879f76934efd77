#include "platform/owl/menu.h"

namespace OWL {

TMenu::~TMenu() {
  if (m_owned && m_handle) DestroyMenu(m_handle);
}

std::u16string TMenu::GetMenuString(UINT item, UINT flags) const {
  const int length = GetMenuStringW(m_handle, item, nullptr, 0, flags);
  if (length <= 0) return {};
  std::u16string text(std::size_t(length) + 1, u'\0');
  const int copied = GetMenuStringW(m_handle, item, text.data(), length + 1, flags);
  text.resize(std::size_t(std::max(copied, 0)));
  return text;
}

int TPopupMenu::TrackPopupMenu(UINT flags, const TPoint& point, HWND owner, const TRect* exclude) {
  TPMPARAMS params{sizeof(TPMPARAMS), exclude ? RECT(*exclude) : RECT{}};
  return TrackPopupMenuEx(GetHandle(), flags, point.x, point.y, owner, exclude ? &params : nullptr);
}

}  // namespace OWL
