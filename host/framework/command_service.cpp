#include "host/framework/command_service.h"

#include <algorithm>

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/framework_object.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_command_state.h"

namespace Tarn {

namespace {
constexpr const char* kService = "CommandService";
constexpr LONG kNotHandled = 1;
}  // namespace

CommandService& CommandService::Instance() {
  static auto* service = new CommandService;
  return *service;
}

HRESULT CommandService::AddCommand(DWORD id, ITarnCommandHandler* handler, ITarnCommand** command) {
  return Guarded([&] {
    RecordCall(kService, "AddCommand", "id=" + HexWord(id) + ", handler=" + Presence(handler));
    if (command) *command = nullptr;
    if (!handler || !command) return E_POINTER;
    HeldReference<HostCommand> added(new HostCommand(id, handler));
    HeldReference<HostCommand> replaced;
    {
      std::lock_guard lock(m_mutex);
      auto same = std::find_if(m_commands.begin(), m_commands.end(),
                               [&](const auto& c) { return c->Id() == id; });
      // A command id routes to one handler: registering it again replaces the earlier one.
      if (same != m_commands.end()) {
        replaced = std::move(*same);
        *same = Hold(added.get());
      } else {
        m_commands.push_back(Hold(added.get()));
      }
    }
    if (replaced) replaced->DropHandler();
    *command = added.release();
    return S_OK;
  });
}

HRESULT CommandService::RemoveCommand(ITarnCommand* command) {
  return Guarded([&] {
    RecordCall(kService, "RemoveCommand", "command=" + Presence(command));
    if (!command) return E_POINTER;
    HeldReference<HostCommand> removed;
    {
      std::lock_guard lock(m_mutex);
      auto it = std::find_if(m_commands.begin(), m_commands.end(), [&](const auto& c) {
        return static_cast<ITarnCommand*>(c.get()) == command;
      });
      if (it == m_commands.end()) return S_FALSE;
      removed = std::move(*it);
      m_commands.erase(it);
    }
    removed->DropHandler();
    return S_OK;
  });
}

HRESULT CommandService::QueryCommandService(REFGUID guid, DWORD argument, IUnknown* classObject,
                                            IUnknown** service) {
  return Guarded([&] {
    RecordCall(kService, "QueryCommandService",
               "guid=" + GuidText(guid) + ", argument=" + HexWord(argument) +
                   ", classObject=" + Presence(classObject));
    if (!service) return E_POINTER;
    *service = nullptr;
    // A GUID no module has named to the host belongs to no class it could serve.
    if (!FrameworkObject::Instance().HasId(guid)) return E_INVALIDARG;
    *service = static_cast<ITarnCommandService*>(ScopeOf(guid).release());
    return S_OK;
  });
}

HRESULT CommandService::ExecuteCommand(DWORD id, LONG* result) {
  return Guarded([&] {
    RecordCall(kService, "ExecuteCommand", "id=" + HexWord(id));
    return Route(id, result, [&](ITarnCommandHandler* handler) { return handler->OnCommand(id); });
  });
}

HRESULT CommandService::QueryCommandState(DWORD id, ITarnCommandState* state, LONG* result) {
  return Guarded([&] {
    RecordCall(kService, "QueryCommandState", "id=" + HexWord(id) + ", state=" + Presence(state));
    // Without a state of the caller's, the host's own one records what the handler sets.
    HeldReference<ITarnCommandState> own(state ? nullptr : new HostCommandState);
    ITarnCommandState* used = state ? state : own.get();
    return Route(id, result, [&](ITarnCommandHandler* handler) {
      return handler->OnCommandEnable(id, used);
    });
  });
}

HRESULT CommandService::NotifyCommand(DWORD id, DWORD kind, DWORD a, DWORD b, LONG* result) {
  return Guarded([&] {
    RecordCall(kService, "NotifyCommand",
               "id=" + HexWord(id) + ", kind=" + HexWord(kind) + ", a=" + HexWord(a) + ", b=" + HexWord(b));
    return Route(id, result, [&](ITarnCommandHandler* handler) {
      return handler->OnCommandNotify(id, kind, a, b);
    });
  });
}

void CommandService::Reset() {
  std::vector<HeldReference<HostCommand>> dropped;
  std::vector<HeldReference<CommandScope>> scopes;
  {
    std::lock_guard lock(m_mutex);
    dropped.swap(m_commands);
    scopes.swap(m_scopes);
  }
  for (auto& command : dropped) command->DropHandler();
}

HeldReference<CommandScope> CommandService::ScopeOf(REFGUID guid) {
  std::lock_guard lock(m_mutex);
  for (const auto& scope : m_scopes) {
    if (scope->Guid() == guid) return Hold(scope.get());
  }
  m_scopes.emplace_back(new CommandScope(guid));
  return Hold(m_scopes.back().get());
}

HeldReference<ITarnCommandHandler> CommandService::HandlerOf(DWORD id) {
  std::lock_guard lock(m_mutex);
  for (const auto& command : m_commands) {
    if (command->Id() == id) return command->Handler();
  }
  return nullptr;
}

template <class Call>
HRESULT CommandService::Route(DWORD id, LONG* result, Call&& call) {
  if (!result) return E_POINTER;
  *result = kNotHandled;
  // Called without the lock and with a reference: a handler may remove its own command.
  HeldReference<ITarnCommandHandler> handler = HandlerOf(id);
  if (!handler) return S_FALSE;
  *result = call(handler.get());
  return S_OK;
}

}  // namespace Tarn
