// A menu, menu item or separator of the host's menu tree, as the menu service made it and as
// its insertion placed it.
#pragma once

#include <mutex>
#include <string>

#include "platform/pendrel/commands.h"
#include "platform/win32/com_object.h"

namespace Tarn {

enum class MenuEntryKind { Item, Separator, Menu };

// What the tree shows of an entry.
struct MenuEntry {
  MenuEntryKind kind = MenuEntryKind::Item;
  std::u16string itemText;
  std::u16string name;
  // The parent path of a menu, the placement path of an inserted item.
  std::u16string path;
  std::u16string text;
  std::u16string anchor;
  std::u16string help;
  DWORD commandId = 0;
  DWORD p1 = 0;
  DWORD order = 0;
};

class HostMenuItem final
    : public SimpleUnknownImp3<ITarnMenuItem, ITarnMenuItemOrder, ITarnMenuItemHelp, 1> {
 public:
  explicit HostMenuItem(MenuEntry entry);

  HRESULT GetOrder(DWORD* order) override;
  HRESULT SetOrderWord(DWORD order) override;
  HRESULT SetOrder(DWORD order) override;
  HRESULT SetHelpText(IQuorString* text) override;

  MenuEntry Entry();
  template <class Change>
  void Update(Change&& change) {
    std::lock_guard lock(m_mutex);
    change(m_entry);
  }

 private:
  std::mutex m_mutex;
  MenuEntry m_entry;
};

}  // namespace Tarn
