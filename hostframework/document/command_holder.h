// The commands a document class has registered with the host's command service: the service
// entry the host gave the class, the class's command handler the commands route to, and the
// host's command objects, kept until the class object goes.
#pragma once

#include "core/com_ptr.h"
#include "core/iunknown_array.h"
#include "platform/pendrel/commands.h"

class TarnCommandHolder {
 public:
  TarnCommandHolder() { m_commands.SetSize(0); }
  TarnCommandHolder(const TarnCommandHolder&) = delete;
  TarnCommandHolder& operator=(const TarnCommandHolder&) = delete;

  // Takes the command service out of the host's entry (releasing the one held before) and the
  // handler the commands are to route to (not counted: the handler owns the holder).
  void Reset(IUnknown* serviceEntry, ITarnCommandHandler* handler);
  // Routes command `id` to the handler; the host's command object is kept.
  HRESULT AddCommand(DWORD id);
  // Releases the commands and the service.
  void Clear();

  ITarnCommandService* Service() const { return m_service.Get(); }
  DWORD CommandCount() const { return m_commands.GetCount(); }

  // Set by registrations that want the host to know their commands changed.
  BYTE flag = 0;

 private:
  Quor::ComPtr<ITarnCommandService> m_service;
  ITarnCommandHandler* m_handler = nullptr;
  InterfaceArray<ITarnCommand> m_commands;
};
