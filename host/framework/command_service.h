// Host object type 0x80000014: connects command ids to their handlers and routes commands,
// command-state queries and command notices to them, as the host's menus do.
#pragma once

#include <mutex>
#include <vector>

#include "host/framework/command_scope.h"
#include "host/framework/held_reference.h"
#include "host/framework/host_command.h"
#include "platform/pendrel/commands.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class CommandService final : public SimpleUnknownImp1<ITarnCommandService, 1> {
 public:
  // The process-wide service; the host's own reference keeps it for the life of the process.
  static CommandService& Instance();

  HRESULT AddCommand(DWORD id, ITarnCommandHandler* handler, ITarnCommand** command) override;
  HRESULT RemoveCommand(ITarnCommand* command) override;
  HRESULT QueryCommandService(REFGUID guid, DWORD argument, IUnknown* classObject,
                              IUnknown** service) override;
  HRESULT ExecuteCommand(DWORD id, LONG* result) override;
  HRESULT QueryCommandState(DWORD id, ITarnCommandState* state, LONG* result) override;
  HRESULT NotifyCommand(DWORD id, DWORD kind, DWORD a, DWORD b, LONG* result) override;

  // Forgets every command, releasing its handler, and the command services of the GUIDs
  // (modules may still hold theirs: those still route here).
  void Reset();

 private:
  // The handler of command `id`, with a reference for the caller; null when there is none.
  HeldReference<ITarnCommandHandler> HandlerOf(DWORD id);
  // Runs `call` on the handler of `id`: S_OK with its answer, or S_FALSE and 1 (not handled)
  // when no handler has the command.
  template <class Call>
  HRESULT Route(DWORD id, LONG* result, Call&& call);

  // The command service of `guid`, made on first use, with a reference for the caller.
  HeldReference<CommandScope> ScopeOf(REFGUID guid);

  std::mutex m_mutex;
  // One reference each.
  std::vector<HeldReference<HostCommand>> m_commands;
  std::vector<HeldReference<CommandScope>> m_scopes;
};

}  // namespace Tarn
