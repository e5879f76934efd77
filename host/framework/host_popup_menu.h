// A popup menu of the host's menu tree whose items a module fills each time the host is about
// to show it. The menu service keeps one per popup command for the life of the process.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/pendrel/commands.h"
#include "platform/win32/com_object.h"

namespace Tarn {

struct PopupItem {
  DWORD id;
  std::u16string text;
};

class HostPopupMenu final : public SimpleUnknownImp1<ITarnPopupMenu, 1> {
 public:
  HRESULT GetItemCount(DWORD* count) override;
  HRESULT RemoveItem(DWORD position) override;
  HRESULT AppendItem(DWORD id, IQuorString* text) override;

  std::vector<PopupItem> Items();

 private:
  std::mutex m_mutex;
  std::vector<PopupItem> m_items;
};

}  // namespace Tarn
