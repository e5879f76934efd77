#include "host/framework/menu_tree_text.h"

#include "host/framework/call_arguments.h"
#include "host/framework/menu_service.h"

namespace Tarn {

namespace {

std::string OptionalText(const char* label, const std::u16string& text) {
  return text.empty() ? std::string() : std::string(" ") + label + "=" + Quoted(text);
}

std::string OrderText(DWORD order) {
  return "order=" + std::to_string(order >> 16) + ":" + std::to_string(order & 0xFFFF);
}

std::string LineOf(const MenuEntry& entry) {
  switch (entry.kind) {
    case MenuEntryKind::Menu:
      return "menu " + Quoted(entry.name) + " parent=" + Quoted(entry.path) + " " + OrderText(entry.order);
    case MenuEntryKind::Separator:
      return "separator " + Quoted(entry.path) + " " + OrderText(entry.order);
    case MenuEntryKind::Item:
      break;
  }
  return "item " + Quoted(entry.path) + " command=" + HexWord(entry.commandId) +
         (entry.p1 ? " p1=" + HexWord(entry.p1) : std::string()) +
         OptionalText("itemText", entry.itemText) + OptionalText("text", entry.text) +
         OptionalText("anchor", entry.anchor) + OptionalText("help", entry.help) + " " +
         OrderText(entry.order);
}

}  // namespace

std::vector<std::string> MenuTreeLines() {
  std::vector<std::string> lines;
  for (const MenuEntry& entry : MenuService::Instance().Entries()) lines.push_back(LineOf(entry));
  return lines;
}

}  // namespace Tarn
