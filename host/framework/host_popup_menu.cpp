#include "host/framework/host_popup_menu.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"

namespace Tarn {

namespace {
constexpr const char* kService = "PopupMenu";
}

HRESULT HostPopupMenu::GetItemCount(DWORD* count) {
  RecordCall(kService, "GetItemCount");
  if (!count) return E_POINTER;
  std::lock_guard lock(m_mutex);
  *count = DWORD(m_items.size());
  return S_OK;
}

HRESULT HostPopupMenu::RemoveItem(DWORD position) {
  RecordCall(kService, "RemoveItem", "position=" + std::to_string(position));
  std::lock_guard lock(m_mutex);
  if (position >= m_items.size()) return E_INVALIDARG;
  m_items.erase(m_items.begin() + position);
  return S_OK;
}

HRESULT HostPopupMenu::AppendItem(DWORD id, IQuorString* text) {
  return Guarded([&] {
    RecordCall(kService, "AppendItem", "id=" + std::to_string(id) + ", text=" + QuotedText(text));
    std::lock_guard lock(m_mutex);
    m_items.push_back({id, TextOf(text)});
    return S_OK;
  });
}

std::vector<PopupItem> HostPopupMenu::Items() {
  std::lock_guard lock(m_mutex);
  return m_items;
}

}  // namespace Tarn
