// The module's helpers over the host's menu and command services.
#pragma once

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/commands.h"

// Created through the host's class registry on first use and kept for the life of the module;
// null (and asked again next time) while the host cannot make them.
ITarnMenuService* GetTarnMenuService();
ITarnCommandService* GetTarnCommandService();

// The host's command service for the commands of the class of `guid`, asked with the class
// object and the host's argument: the host's answer, `service` null unless it succeeded
// (E_FAIL when the host has no command service).
HRESULT QueryCommandService(Quor::ComPtr<IUnknown>& service, REFGUID guid, DWORD argument,
                            IUnknown* classObject);

// Order word of a menu item: (placement << 16) | low word.
constexpr DWORD MenuOrder(WORD lowWord, WORD placement) {
  return (DWORD(placement) << 16) | lowWord;
}

class TarnMenuService {
 public:
  // An item with `text`, or a separator for the text "-".
  static HRESULT CreateMenuItem(Quor::ComPtr<ITarnMenuItem>& holder, const Quor::String& text);
  // A top-level menu `name` under the menu path `parentPath`.
  static HRESULT CreateTopMenu(Quor::ComPtr<ITarnMenuItem>& holder, const Quor::String& name,
                               const Quor::String& parentPath);
  // Places a new item for command *commandId under `path`; an order word of 0 keeps the order
  // the host gives the item.
  static HRESULT InsertMenuItem(Quor::ComPtr<ITarnMenuItem>& holder, DWORD p1, const DWORD* commandId,
                                const Quor::String& path, DWORD p4, DWORD p5,
                                const Quor::String& helpText, const Quor::String& text,
                                const Quor::String& anchor, WORD orderLow, WORD placement);
  // A command item; `text` (the item's text, which the host may also find by the text id
  // `q1`) may be empty.
  static HRESULT AddCommand(Quor::ComPtr<ITarnMenuItem>& holder, DWORD q1, DWORD q2,
                            const DWORD* commandId, const Quor::String& path,
                            const Quor::String& text = Quor::String());
  static HRESULT SetItemOrder(ITarnMenuItem* item, WORD lowWord, WORD placement);
  // The host's popup menu of a handle; null when the host has none.
  static Quor::ComPtr<ITarnPopupMenu> PopupMenu(DWORD handle);
};

// Tells the host's debug object tracker of a new view object.
class COMDebugClass {
 public:
  explicit COMDebugClass(IUnknown* object);
};
