// Host object type 0x80000013: makes menus, menu items and separators and keeps the menu tree
// that their creation and insertion build.
#pragma once

#include <mutex>
#include <vector>

#include "host/framework/held_reference.h"
#include "host/framework/host_menu_item.h"
#include "host/framework/host_popup_menu.h"
#include "platform/pendrel/commands.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class MenuService final : public SimpleUnknownImp1<ITarnMenuService, 1> {
 public:
  // The process-wide service; the host's own reference keeps it for the life of the process.
  static MenuService& Instance();

  HRESULT CreateMenuItem(DWORD reserved, IQuorString* itemText, IQuorString* name, DWORD w1,
                         DWORD w2, DWORD w3, IQuorString* path, DWORD w5, DWORD w6,
                         DWORD kindOrFlags, DWORD w7, DWORD w8, DWORD w9, DWORD order,
                         ITarnMenuItem** item) override;
  HRESULT InsertMenuItem(DWORD p1, DWORD flags, DWORD commandId, IQuorString* path, DWORD p5,
                         IQuorString* text, DWORD p4, IQuorString* anchor, DWORD reserved1,
                         DWORD reserved2, ITarnMenuItem* item) override;
  HRESULT GetPopupMenu(DWORD handle, ITarnPopupMenu** popup) override;

  // The handle of the popup menu of a popup command, made on first use.
  DWORD PopupHandle(DWORD commandId);
  // The items a module last put into the popup of a handle.
  std::vector<PopupItem> PopupItems(DWORD handle);
  // The placed entries, in the order they were placed.
  std::vector<MenuEntry> Entries();
  // Empties the tree.
  void Reset();

 private:
  // Adds the item to the tree unless it is there already; an entry without an order of its
  // own takes its position in the tree.
  void Place(HostMenuItem* item);

  std::mutex m_mutex;
  // One reference each.
  std::vector<HeldReference<HostMenuItem>> m_placed;
  // The popup of handle h at index h - 1, with its command.
  std::vector<std::pair<DWORD, HeldReference<HostPopupMenu>>> m_popups;
};

}  // namespace Tarn
