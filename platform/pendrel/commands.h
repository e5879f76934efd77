// Menus and commands: the host's menu tree and the routing of commands to handlers.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/unknown.h"

struct ITarnCommandState : IUnknown {
  PLATFORM_INTERFACE_ID("888b343e-c1b8-46dc-b0d7-2a769134767b");
  using Base = IUnknown;
  virtual HRESULT Enable(VARIANT_BOOL enable) = 0;
  virtual HRESULT SetCheck(LONG check) = 0;
  virtual HRESULT SetText(IQuorString* text) = 0;

 protected:
  ~ITarnCommandState() = default;
};

// Answers menu commands, command-state queries and command notifications. Each operation
// returns 0 when an entry handled the call and 1 when none did.
struct ITarnCommandHandler : IUnknown {
  PLATFORM_INTERFACE_ID("ed1bafa8-d9c2-4539-adfb-cc787aa90c7b");
  using Base = IUnknown;
  virtual LONG OnCommand(DWORD id) = 0;
  virtual LONG OnCommandEnable(DWORD id, ITarnCommandState* state) = 0;
  virtual LONG OnCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b) = 0;

 protected:
  ~ITarnCommandHandler() = default;
};

// A command the host knows: its id and the handler it routes to.
struct ITarnCommand : IUnknown {
  PLATFORM_INTERFACE_ID("ce9c4e5f-9ed9-44e7-99bd-29804f2ee9ea");
  using Base = IUnknown;
  virtual HRESULT GetId(DWORD* id) = 0;

 protected:
  ~ITarnCommand() = default;
};

// Host object type 0x80000014.
struct ITarnCommandService : IUnknown {
  PLATFORM_INTERFACE_ID("481fc032-6a8f-4922-a1a1-812fe96c3acf");
  using Base = IUnknown;
  // Connects command `id` to a handler; the command object comes back.
  virtual HRESULT AddCommand(DWORD id, ITarnCommandHandler* handler, ITarnCommand** command) = 0;
  virtual HRESULT RemoveCommand(ITarnCommand* command) = 0;
  // The command service of a module's class of `guid` (its class object and the host's
  // argument come along), one per GUID for the life of the process. E_INVALIDARG and null for a
  // GUID the host's id registry has not given an id.
  virtual HRESULT QueryCommandService(REFGUID guid, DWORD argument, IUnknown* classObject,
                                      IUnknown** service) = 0;
  // Routing, as the host's menus and automation do it.
  virtual HRESULT ExecuteCommand(DWORD id, LONG* result) = 0;
  virtual HRESULT QueryCommandState(DWORD id, ITarnCommandState* state, LONG* result) = 0;
  virtual HRESULT NotifyCommand(DWORD id, DWORD kind, DWORD a, DWORD b, LONG* result) = 0;

 protected:
  ~ITarnCommandService() = default;
};

struct ITarnMenuItem : IUnknown {
  PLATFORM_INTERFACE_ID("3052061c-2ea8-4e79-afe3-448a005f6316");
  using Base = IUnknown;
  virtual HRESULT GetOrder(DWORD* order) = 0;
  virtual HRESULT SetOrderWord(DWORD order) = 0;

 protected:
  ~ITarnMenuItem() = default;
};

// The order interface of a menu item: (placement << 16) | low word.
struct ITarnMenuItemOrder : IUnknown {
  PLATFORM_INTERFACE_ID("f3630992-3d6f-4b00-8e40-46f634738c9d");
  using Base = IUnknown;
  virtual HRESULT SetOrder(DWORD order) = 0;

 protected:
  ~ITarnMenuItemOrder() = default;
};

// The help text of a menu item.
struct ITarnMenuItemHelp : IUnknown {
  PLATFORM_INTERFACE_ID("f5322c71-b7a3-4528-b77c-916a101314ba");
  using Base = IUnknown;
  virtual HRESULT SetHelpText(IQuorString* text) = 0;

 protected:
  ~ITarnMenuItemHelp() = default;
};

// A popup menu whose items a module fills when the host is about to show it; the host names it
// by a handle in the command notification.
struct ITarnPopupMenu : IUnknown {
  PLATFORM_INTERFACE_ID("4b7e2d91-a6c3-4f08-9e15-3c8d0a6f2b47");
  using Base = IUnknown;
  virtual HRESULT GetItemCount(DWORD* count) = 0;
  virtual HRESULT RemoveItem(DWORD position) = 0;
  virtual HRESULT AppendItem(DWORD id, IQuorString* text) = 0;

 protected:
  ~ITarnPopupMenu() = default;
};

// The kinds of command notification: a popup is about to show (with its handle), and an item
// of a popup was chosen (with its id).
constexpr DWORD kCommandNotifyPopupContents = 6;
constexpr DWORD kCommandNotifyPopupItem = 7;

// Host object type 0x80000013: keeps the menu tree.
struct ITarnMenuService : IUnknown {
  PLATFORM_INTERFACE_ID("26eb3124-88f3-4830-9667-e33fbd8adf94");
  using Base = IUnknown;
  // Makes a menu item (kind 2), a separator (the name "-" without item text) or a menu
  // (flags 0x38 with a name and the parent path in `path`).
  virtual HRESULT CreateMenuItem(DWORD reserved, IQuorString* itemText, IQuorString* name,
                                 DWORD w1, DWORD w2, DWORD w3, IQuorString* path, DWORD w5,
                                 DWORD w6, DWORD kindOrFlags, DWORD w7, DWORD w8, DWORD w9,
                                 DWORD order, ITarnMenuItem** item) = 0;
  // Places an item under the menu path `path` (p3), for command `commandId` (the word at p2).
  virtual HRESULT InsertMenuItem(DWORD p1, DWORD flags, DWORD commandId, IQuorString* path,
                                 DWORD p5, IQuorString* text, DWORD p4, IQuorString* anchor,
                                 DWORD reserved1, DWORD reserved2, ITarnMenuItem* item) = 0;
  // The popup menu of a handle the host gave in a popup-contents notification.
  virtual HRESULT GetPopupMenu(DWORD handle, ITarnPopupMenu** popup) = 0;

 protected:
  ~ITarnMenuService() = default;
};
