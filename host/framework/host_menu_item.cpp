#include "host/framework/host_menu_item.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"

namespace Tarn {

namespace {
constexpr const char* kService = "MenuItem";
}

HostMenuItem::HostMenuItem(MenuEntry entry) : m_entry(std::move(entry)) {}

HRESULT HostMenuItem::GetOrder(DWORD* order) {
  RecordCall(kService, "GetOrder");
  if (!order) return E_POINTER;
  std::lock_guard lock(m_mutex);
  *order = m_entry.order;
  return S_OK;
}

HRESULT HostMenuItem::SetOrderWord(DWORD order) {
  return Guarded([&] {
    RecordCall(kService, "SetOrderWord", "order=" + HexWord(order));
    std::lock_guard lock(m_mutex);
    m_entry.order = order;
    return S_OK;
  });
}

HRESULT HostMenuItem::SetOrder(DWORD order) {
  return Guarded([&] {
    RecordCall("MenuItemOrder", "SetOrder", "order=" + HexWord(order));
    std::lock_guard lock(m_mutex);
    m_entry.order = order;
    return S_OK;
  });
}

HRESULT HostMenuItem::SetHelpText(IQuorString* text) {
  return Guarded([&] {
    RecordCall("MenuItemHelp", "SetHelpText", "text=" + QuotedText(text));
    std::u16string help = TextOf(text);
    std::lock_guard lock(m_mutex);
    m_entry.help = std::move(help);
    return S_OK;
  });
}

MenuEntry HostMenuItem::Entry() {
  std::lock_guard lock(m_mutex);
  return m_entry;
}

}  // namespace Tarn
