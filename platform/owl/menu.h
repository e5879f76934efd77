// The GUI framework's menus: a TMenu wraps a menu handle (owning it when it made or loaded it),
// a TPopupMenu is a popup that tracks the scripted choice of the platform's popup menus.
#pragma once

#include <string>

#include "platform/owl/geometry.h"
#include "platform/owl/module.h"
#include "platform/win32/menus.h"

namespace OWL {

class TMenu {
 public:
  // Wraps a menu made elsewhere; it is not destroyed with the object.
  explicit TMenu(HMENU handle) : m_handle(handle), m_owned(false) {}
  // The module's menu resource, destroyed with the object.
  TMenu(const TModule& module, TResId id) : m_handle(module.LoadMenu(id)), m_owned(true) {}
  virtual ~TMenu();
  TMenu(const TMenu&) = delete;
  TMenu& operator=(const TMenu&) = delete;

  HMENU GetHandle() const { return m_handle; }
  operator HMENU() const { return m_handle; }
  bool IsOK() const { return m_handle != nullptr; }
  int GetMenuItemCount() const { return ::GetMenuItemCount(m_handle); }
  UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_handle, position); }
  HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_handle, position); }
  bool AppendMenu(UINT flags, UINT_PTR item = 0, const std::u16string& text = {}) {
    return ::AppendMenuW(m_handle, flags, item, text.empty() ? nullptr : text.c_str());
  }
  UINT EnableMenuItem(UINT item, UINT flags) { return ::EnableMenuItem(m_handle, item, flags); }
  DWORD CheckMenuItem(UINT item, UINT flags) { return ::CheckMenuItem(m_handle, item, flags); }
  UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_handle, item, flags); }
  std::u16string GetMenuString(UINT item, UINT flags) const;

 protected:
  TMenu(HMENU handle, bool owned) : m_handle(handle), m_owned(owned) {}

 private:
  HMENU m_handle;
  bool m_owned;
};

class TPopupMenu : public TMenu {
 public:
  // A new, empty popup menu.
  TPopupMenu() : TMenu(CreatePopupMenu(), true) {}
  // The popup at `position` of another menu; it stays that menu's.
  TPopupMenu(const TMenu& menu, int position) : TMenu(menu.GetSubMenu(position), false) {}
  // Tracks the popup at a screen point for the window (see TrackPopupMenuEx): with
  // TPM_RETURNCMD the chosen command, else whether the menu was shown.
  int TrackPopupMenu(UINT flags, const TPoint& point, HWND owner, const TRect* exclude = nullptr);
};

}  // namespace OWL
