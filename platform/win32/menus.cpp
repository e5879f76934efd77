#include "platform/win32/menus.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <mutex>
#include <set>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/window.h"

namespace {

struct MenuItem {
  UINT flags;
  UINT id;
  HMENU submenu;
  std::u16string text;
};

struct Menu {
  bool popup;
  std::vector<MenuItem> items;
};

struct MenuState {
  std::mutex mutex;
  std::set<Menu*> menus;
  std::deque<UINT> choices;
  std::vector<win32::ShownPopupMenu> shown;
  std::deque<bool> shellAnswers;
  std::vector<win32::ShellRequest> shellRequests;
};

MenuState& State() {
  static auto* state = new MenuState;
  return *state;
}

// The menu behind a handle; caller holds the state's mutex.
Menu* FindLocked(HMENU handle) {
  auto* menu = reinterpret_cast<Menu*>(handle);
  if (State().menus.count(menu)) return menu;
  SetLastError(ERROR_INVALID_MENU_HANDLE);
  return nullptr;
}

// An item by command (searching submenus) or by position; caller holds the mutex.
MenuItem* ItemLocked(Menu* menu, UINT item, UINT flags) {
  if (!menu) return nullptr;
  if (flags & MF_BYPOSITION) return item < menu->items.size() ? &menu->items[item] : nullptr;
  for (MenuItem& each : menu->items) {
    if (!(each.flags & MF_POPUP) && !(each.flags & MF_SEPARATOR) && each.id == item) return &each;
    if (each.flags & MF_POPUP)
      if (MenuItem* found = ItemLocked(FindLocked(each.submenu), item, flags)) return found;
  }
  return nullptr;
}

HMENU Make(bool popup) {
  auto* menu = new Menu{popup, {}};
  std::lock_guard lock(State().mutex);
  State().menus.insert(menu);
  return reinterpret_cast<HMENU>(menu);
}

std::u16string Text(LPCWSTR text) { return text ? text : u""; }

}  // namespace

HMENU CreateMenu() { return Make(false); }
HMENU CreatePopupMenu() { return Make(true); }

BOOL DestroyMenu(HMENU handle) {
  std::vector<HMENU> submenus;
  {
    std::lock_guard lock(State().mutex);
    Menu* menu = FindLocked(handle);
    if (!menu) return FALSE;
    for (const MenuItem& item : menu->items)
      if (item.flags & MF_POPUP) submenus.push_back(item.submenu);
    State().menus.erase(menu);
    delete menu;
  }
  for (HMENU submenu : submenus) DestroyMenu(submenu);
  return TRUE;
}

BOOL AppendMenuW(HMENU handle, UINT flags, UINT_PTR item, LPCWSTR text) {
  std::lock_guard lock(State().mutex);
  Menu* menu = FindLocked(handle);
  if (!menu) return FALSE;
  MenuItem entry{flags, (flags & MF_POPUP) ? UINT(-1) : UINT(item),
                 (flags & MF_POPUP) ? reinterpret_cast<HMENU>(item) : nullptr, Text(text)};
  if ((flags & MF_POPUP) && !FindLocked(entry.submenu)) return FALSE;
  menu->items.push_back(entry);
  return TRUE;
}

BOOL DeleteMenu(HMENU handle, UINT item, UINT flags) {
  HMENU submenu = nullptr;
  {
    std::lock_guard lock(State().mutex);
    Menu* menu = FindLocked(handle);
    if (!menu) return FALSE;
    auto found = menu->items.end();
    if (flags & MF_BYPOSITION) {
      if (item < menu->items.size()) found = menu->items.begin() + std::ptrdiff_t(item);
    } else {
      found = std::find_if(menu->items.begin(), menu->items.end(), [item](const MenuItem& each) {
        return !(each.flags & (MF_POPUP | MF_SEPARATOR)) && each.id == item;
      });
    }
    if (found == menu->items.end()) return FALSE;
    if (found->flags & MF_POPUP) submenu = found->submenu;
    menu->items.erase(found);
  }
  if (submenu) DestroyMenu(submenu);
  return TRUE;
}

int GetMenuItemCount(HMENU handle) {
  std::lock_guard lock(State().mutex);
  Menu* menu = FindLocked(handle);
  return menu ? int(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU handle, int position) {
  std::lock_guard lock(State().mutex);
  MenuItem* item = ItemLocked(FindLocked(handle), UINT(position), MF_BYPOSITION);
  return item && !(item->flags & MF_POPUP) ? item->id : UINT(-1);
}

HMENU GetSubMenu(HMENU handle, int position) {
  std::lock_guard lock(State().mutex);
  MenuItem* item = ItemLocked(FindLocked(handle), UINT(position), MF_BYPOSITION);
  return item && (item->flags & MF_POPUP) ? item->submenu : nullptr;
}

UINT EnableMenuItem(HMENU handle, UINT id, UINT flags) {
  std::lock_guard lock(State().mutex);
  MenuItem* item = ItemLocked(FindLocked(handle), id, flags);
  if (!item) return UINT(-1);
  const UINT old = item->flags & (MF_GRAYED | MF_DISABLED);
  item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return old;
}

DWORD CheckMenuItem(HMENU handle, UINT id, UINT flags) {
  std::lock_guard lock(State().mutex);
  MenuItem* item = ItemLocked(FindLocked(handle), id, flags);
  if (!item) return DWORD(-1);
  const DWORD old = item->flags & MF_CHECKED;
  item->flags = (item->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
  return old;
}

UINT GetMenuState(HMENU handle, UINT id, UINT flags) {
  std::lock_guard lock(State().mutex);
  MenuItem* item = ItemLocked(FindLocked(handle), id, flags);
  return item ? item->flags : UINT(-1);
}

int GetMenuStringW(HMENU handle, UINT id, LPWSTR buffer, int capacity, UINT flags) {
  std::lock_guard lock(State().mutex);
  MenuItem* item = ItemLocked(FindLocked(handle), id, flags);
  if (!item) return 0;
  if (!buffer || capacity <= 0) return int(item->text.size());
  const int count = std::min<int>(int(item->text.size()), capacity - 1);
  std::copy_n(item->text.data(), count, buffer);
  buffer[count] = 0;
  return count;
}

BOOL TrackPopupMenuEx(HMENU handle, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params) {
  {
    std::lock_guard lock(State().mutex);
    if (!FindLocked(handle)) return FALSE;
  }
  if (!IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const bool notify = !(flags & TPM_NONOTIFY);
  if (notify) SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(handle), 0);
  UINT chosen = 0;
  {
    std::lock_guard lock(State().mutex);
    MenuState& state = State();
    if (!state.choices.empty()) {
      chosen = state.choices.front();
      state.choices.pop_front();
    }
    // The state is read after WM_INITMENUPOPUP, which is where owners enable and check items.
    const MenuItem* item = chosen ? ItemLocked(FindLocked(handle), chosen, MF_BYCOMMAND) : nullptr;
    if (!item || (item->flags & (MF_GRAYED | MF_DISABLED))) chosen = 0;
    std::vector<win32::ShownMenuItem> items;
    if (const Menu* menu = FindLocked(handle)) {
      for (const MenuItem& each : menu->items) items.push_back({each.id, each.text, each.flags});
    }
    state.shown.push_back({handle, owner, {x, y}, flags, params ? params->rcExclude : RECT{}, chosen,
                           std::move(items)});
  }
  if (notify) SendMessageW(owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(handle), 0);
  if (flags & TPM_RETURNCMD) return BOOL(chosen);
  if (chosen) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(int(chosen), 0), 0);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

HINSTANCE ShellExecuteW(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR, int) {
  bool done = false;
  {
    std::lock_guard lock(State().mutex);
    MenuState& state = State();
    if (!state.shellAnswers.empty()) {
      done = state.shellAnswers.front();
      state.shellAnswers.pop_front();
    }
    state.shellRequests.push_back({Text(verb), Text(file), Text(parameters), done});
  }
  if (done) return reinterpret_cast<HINSTANCE>(std::uintptr_t(42));
  SetLastError(ERROR_CANCELLED);
  return reinterpret_cast<HINSTANCE>(std::uintptr_t(5));  // SE_ERR_ACCESSDENIED
}

namespace win32 {

void QueuePopupMenuChoice(UINT commandId) {
  std::lock_guard lock(State().mutex);
  State().choices.push_back(commandId);
}

std::vector<ShownPopupMenu> ShownPopupMenus() {
  std::lock_guard lock(State().mutex);
  return State().shown;
}

void QueueShellExecuteAnswer(bool done) {
  std::lock_guard lock(State().mutex);
  State().shellAnswers.push_back(done);
}

std::vector<ShellRequest> ShellRequests() {
  std::lock_guard lock(State().mutex);
  return State().shellRequests;
}

void ClearShownMenusAndShellRequests() {
  std::lock_guard lock(State().mutex);
  MenuState& state = State();
  state.choices.clear();
  state.shown.clear();
  state.shellAnswers.clear();
  state.shellRequests.clear();
}

}  // namespace win32
