// Menus and popup menus. A popup menu is never shown to a person: TrackPopupMenuEx records what
// would be shown (with its items as WM_INITMENUPOPUP left them), sends WM_INITMENUPOPUP, takes
// the next scripted choice (none: the menu is dismissed), sends WM_UNINITMENUPOPUP, and then
// posts WM_COMMAND for the choice or, with TPM_RETURNCMD, returns it. A choice that names no
// enabled command of the menu dismisses it.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/geometry.h"

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;
constexpr UINT TPM_VERTICAL = 0x0040;

struct TPMPARAMS {
  UINT cbSize;
  RECT rcExclude;
};

HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
// `item` is a command id, or the submenu's handle with MF_POPUP.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR item, LPCWSTR text);
// Removes an item (by command or by position); a submenu it opens is destroyed with it.
BOOL DeleteMenu(HMENU menu, UINT item, UINT flags);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// The previous state (MF_GRAYED, MF_DISABLED) or -1 for an item that is not there.
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int capacity, UINT flags);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* unused);

// Opening documents and addresses with the programs of the system: recorded and answered by
// script; without an answer the request is refused as cancelled (a result of 32 or less).
HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder,
                        int show);

namespace win32 {

struct ShownMenuItem {
  UINT id;
  std::u16string text;
  UINT flags;  // MF_GRAYED, MF_DISABLED, MF_CHECKED and the kind of item
};
struct ShownPopupMenu {
  HMENU menu;
  HWND owner;
  POINT point;
  UINT flags;
  RECT exclude;  // all zero without TPMPARAMS
  UINT chosen;   // 0: dismissed
  std::vector<ShownMenuItem> items;
};
void QueuePopupMenuChoice(UINT commandId);
std::vector<ShownPopupMenu> ShownPopupMenus();

struct ShellRequest {
  std::u16string verb, file, parameters;
  bool done;
};
void QueueShellExecuteAnswer(bool done);
std::vector<ShellRequest> ShellRequests();

// Forgets what was shown and drops queued answers.
void ClearShownMenusAndShellRequests();

}  // namespace win32
