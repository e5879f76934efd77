// The host's menus as a person uses them: every placed item that carries a command, with the
// state its module's handler answers now (enabled, checked, its text), and the commands run by
// an item's text, its path or its id, as a click on the item runs them. A popup item shows what
// its module puts into it when it opens.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/framework/host_popup_menu.h"
#include "host/framework/tarn_api.h"

namespace Tarn {

struct MenuCommandState {
  std::u16string path;
  // The text the item shows: the one its handler set, else the one it was inserted with.
  std::u16string text;
  DWORD commandId = 0;
  bool popup = false;
  // Whether a handler answered the state query, and what it answered.
  bool answered = false;
  bool enabled = false;
  LONG check = 0;
};

TARN_API std::vector<MenuCommandState> MenuCommandStates();
// One line per item: `Rhyth|Analyse "Analyze Channel" enabled` (with " checked" when checked,
// "disabled" when disabled, "popup" for a popup, "unanswered" when no handler answered).
TARN_API std::vector<std::string> MenuStateLines();

// Runs the command of the item whose shown text (accelerator marks left out) or path is
// `name`, in either letter case and with or without a closing "...": E_INVALIDARG when no item
// has it, E_ACCESSDENIED when it is disabled or unanswered, S_FALSE when its handler did not
// handle it.
TARN_API HRESULT FireMenuCommand(std::u16string_view name);
// The same for a command id, whether an item carries it or not.
TARN_API HRESULT FireMenuCommandId(DWORD id);

// Opens the popup of a popup item's command: its module fills it; the items it holds then.
TARN_API std::vector<PopupItem> OpenPopup(DWORD popupCommand);
// Chooses an item of a popup: its module's answer (S_OK, or its failure).
TARN_API HRESULT FirePopupItem(DWORD popupCommand, DWORD itemId);

}  // namespace Tarn
