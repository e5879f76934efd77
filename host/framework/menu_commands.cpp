#include "host/framework/menu_commands.h"

#include <algorithm>

#include "host/framework/call_log.h"
#include "host/framework/command_service.h"
#include "host/framework/held_reference.h"
#include "host/framework/host_command_state.h"
#include "host/framework/host_text.h"
#include "host/framework/menu_service.h"

namespace Tarn {

namespace {

// The low order word of a popup item has this bit.
constexpr DWORD kPopupOrderBit = 0x200;

std::u16string WithoutMarks(std::u16string text) {
  std::erase(text, u'&');
  return text;
}

MenuCommandState StateOf(const MenuEntry& entry) {
  MenuCommandState state;
  state.path = entry.path;
  state.text = WithoutMarks(entry.text);
  state.commandId = entry.commandId;
  state.popup = (entry.order & kPopupOrderBit) != 0;
  HeldReference<HostCommandState> asked(new HostCommandState);
  LONG result = 1;
  CommandService::Instance().QueryCommandState(entry.commandId, asked.get(), &result);
  state.answered = result == 0;
  state.enabled = state.answered && asked->Enabled().value_or(true);
  state.check = asked->Check().value_or(0);
  if (asked->Text()) state.text = WithoutMarks(*asked->Text());
  return state;
}

std::string LineOf(const MenuCommandState& state) {
  std::string line = Utf8(state.path) + " \"" + Utf8(state.text) + "\" ";
  if (state.popup) return line + "popup";
  if (!state.answered) return line + "unanswered";
  line += state.enabled ? "enabled" : "disabled";
  if (state.check) line += " checked";
  return line;
}

// A name as a person types it: letters in either case, and a shown text's closing "..." left
// out if they like ("Settings" for "Settings...").
std::u16string Folded(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) {
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
  }
  if (folded.ends_with(u"...")) folded.resize(folded.size() - 3);
  return folded;
}

HRESULT Run(const MenuCommandState& state) {
  if (!state.answered || !state.enabled) return E_ACCESSDENIED;
  LONG result = 1;
  CommandService::Instance().ExecuteCommand(state.commandId, &result);
  return result == 0 ? S_OK : S_FALSE;
}

}  // namespace

std::vector<MenuCommandState> MenuCommandStates() {
  std::vector<MenuCommandState> states;
  for (const MenuEntry& entry : MenuService::Instance().Entries()) {
    if (entry.kind == MenuEntryKind::Item && entry.commandId != 0) states.push_back(StateOf(entry));
  }
  return states;
}

std::vector<std::string> MenuStateLines() {
  std::vector<std::string> lines;
  for (const MenuCommandState& state : MenuCommandStates()) lines.push_back(LineOf(state));
  return lines;
}

HRESULT FireMenuCommand(std::u16string_view name) {
  RecordCall("Menus", "FireMenuCommand", Utf8(name));
  const std::vector<MenuCommandState> states = MenuCommandStates();
  const std::u16string wanted = Folded(name);
  const auto found = std::find_if(states.begin(), states.end(), [&](const MenuCommandState& s) {
    return Folded(s.text) == wanted || Folded(s.path) == wanted;
  });
  return found == states.end() ? E_INVALIDARG : Run(*found);
}

HRESULT FireMenuCommandId(DWORD id) {
  RecordCall("Menus", "FireMenuCommandId", std::to_string(id));
  MenuEntry entry;
  entry.commandId = id;
  return Run(StateOf(entry));
}

std::vector<PopupItem> OpenPopup(DWORD popupCommand) {
  const DWORD handle = MenuService::Instance().PopupHandle(popupCommand);
  LONG result = 1;
  CommandService::Instance().NotifyCommand(popupCommand, kCommandNotifyPopupContents, handle, 0,
                                           &result);
  return MenuService::Instance().PopupItems(handle);
}

HRESULT FirePopupItem(DWORD popupCommand, DWORD itemId) {
  LONG result = 1;
  CommandService::Instance().NotifyCommand(popupCommand, kCommandNotifyPopupItem, itemId, 0,
                                           &result);
  return HRESULT(result);
}

}  // namespace Tarn
