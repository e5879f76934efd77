#include "host/framework/menu_service.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"

namespace Tarn {

namespace {

constexpr const char* kService = "MenuService";
// The flags word that makes a menu rather than an item.
constexpr DWORD kMenuFlags = 0x38;

// ", w1=0x..." for each word that is not 0: callers pass 0 in almost all of them.
std::string NonZeroWords(std::initializer_list<std::pair<const char*, DWORD>> words) {
  std::string text;
  for (const auto& [name, value] : words) {
    if (value != 0) text += std::string(", ") + name + "=" + HexWord(value);
  }
  return text;
}

MenuEntryKind KindOfCreated(const std::u16string& itemText, const std::u16string& name,
                            DWORD kindOrFlags) {
  if ((kindOrFlags & kMenuFlags) == kMenuFlags) return MenuEntryKind::Menu;
  if (name == u"-" && itemText.empty()) return MenuEntryKind::Separator;
  return MenuEntryKind::Item;
}

// "Menu|-": the last part of the path is a dash.
bool IsSeparatorPath(const std::u16string& path) {
  return path == u"-" || path.ends_with(u"|-");
}

}  // namespace

MenuService& MenuService::Instance() {
  static auto* service = new MenuService;
  return *service;
}

HRESULT MenuService::CreateMenuItem(DWORD reserved, IQuorString* itemText, IQuorString* name,
                                    DWORD w1, DWORD w2, DWORD w3, IQuorString* path, DWORD w5,
                                    DWORD w6, DWORD kindOrFlags, DWORD w7, DWORD w8, DWORD w9,
                                    DWORD order, ITarnMenuItem** item) {
  return Guarded([&] {
    RecordCall(kService, "CreateMenuItem",
               "itemText=" + QuotedText(itemText) + ", name=" + QuotedText(name) +
                   ", path=" + QuotedText(path) + ", kind=" + HexWord(kindOrFlags) +
                   ", order=" + HexWord(order) +
                   NonZeroWords({{"reserved", reserved}, {"w1", w1}, {"w2", w2}, {"w3", w3},
                                 {"w5", w5}, {"w6", w6}, {"w7", w7}, {"w8", w8}, {"w9", w9}}));
    if (!item) return E_POINTER;
    *item = nullptr;
    MenuEntry entry;
    entry.itemText = TextOf(itemText);
    entry.name = TextOf(name);
    entry.kind = KindOfCreated(entry.itemText, entry.name, kindOrFlags);
    entry.path = TextOf(path);
    entry.order = order;
    HeldReference<HostMenuItem> created(new HostMenuItem(std::move(entry)));
    // A menu names its place when it is made; items wait for their insertion.
    if (created->Entry().kind == MenuEntryKind::Menu) Place(created.get());
    *item = created.release();
    return S_OK;
  });
}

HRESULT MenuService::InsertMenuItem(DWORD p1, DWORD flags, DWORD commandId, IQuorString* path,
                                    DWORD p5, IQuorString* text, DWORD p4, IQuorString* anchor,
                                    DWORD reserved1, DWORD reserved2, ITarnMenuItem* item) {
  return Guarded([&] {
    RecordCall(kService, "InsertMenuItem",
               "command=" + HexWord(commandId) + ", path=" + QuotedText(path) +
                   ", text=" + QuotedText(text) + ", anchor=" + QuotedText(anchor) +
                   ", p1=" + HexWord(p1) + ", flags=" + HexWord(flags) +
                   NonZeroWords({{"p4", p4}, {"p5", p5}, {"reserved1", reserved1},
                                 {"reserved2", reserved2}}));
    if (!item) return E_POINTER;
    // Only the service's own items carry what the tree keeps.
    auto* own = dynamic_cast<HostMenuItem*>(item);
    const std::u16string where = TextOf(path);
    if (!own || where.empty()) return E_INVALIDARG;
    std::u16string insertedText = TextOf(text);
    std::u16string anchorText = TextOf(anchor);
    own->Update([&](MenuEntry& entry) {
      entry.path = where;
      entry.text = std::move(insertedText);
      entry.anchor = std::move(anchorText);
      entry.commandId = commandId;
      entry.p1 = p1;
      if (IsSeparatorPath(where)) entry.kind = MenuEntryKind::Separator;
    });
    Place(own);
    return S_OK;
  });
}

HRESULT MenuService::GetPopupMenu(DWORD handle, ITarnPopupMenu** popup) {
  RecordCall(kService, "GetPopupMenu", "handle=" + std::to_string(handle));
  if (!popup) return E_POINTER;
  *popup = nullptr;
  std::lock_guard lock(m_mutex);
  if (handle == 0 || handle > m_popups.size()) return E_INVALIDARG;
  *popup = Hold(m_popups[handle - 1].second.get()).release();
  return S_OK;
}

DWORD MenuService::PopupHandle(DWORD commandId) {
  std::lock_guard lock(m_mutex);
  for (std::size_t i = 0; i < m_popups.size(); ++i) {
    if (m_popups[i].first == commandId) return DWORD(i + 1);
  }
  m_popups.emplace_back(commandId, HeldReference<HostPopupMenu>(new HostPopupMenu));
  return DWORD(m_popups.size());
}

std::vector<PopupItem> MenuService::PopupItems(DWORD handle) {
  HeldReference<HostPopupMenu> popup;
  {
    std::lock_guard lock(m_mutex);
    if (handle == 0 || handle > m_popups.size()) return {};
    popup = Hold(m_popups[handle - 1].second.get());
  }
  return popup->Items();
}

std::vector<MenuEntry> MenuService::Entries() {
  std::lock_guard lock(m_mutex);
  std::vector<MenuEntry> entries;
  for (const auto& item : m_placed) entries.push_back(item->Entry());
  return entries;
}

void MenuService::Reset() {
  std::vector<HeldReference<HostMenuItem>> dropped;
  std::vector<std::pair<DWORD, HeldReference<HostPopupMenu>>> droppedPopups;
  {
    std::lock_guard lock(m_mutex);
    dropped.swap(m_placed);
    droppedPopups.swap(m_popups);
  }
}

void MenuService::Place(HostMenuItem* item) {
  std::lock_guard lock(m_mutex);
  const bool placed = std::any_of(m_placed.begin(), m_placed.end(),
                                  [&](const auto& p) { return p.get() == item; });
  if (placed) return;
  const DWORD position = DWORD(m_placed.size() + 1);
  m_placed.push_back(Hold(item));
  item->Update([&](MenuEntry& entry) {
    if (entry.order == 0) entry.order = position;
  });
}

}  // namespace Tarn
