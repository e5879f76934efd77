#include "host/framework/command_scope.h"

#include "host/framework/command_service.h"

namespace Tarn {

HRESULT CommandScope::AddCommand(DWORD id, ITarnCommandHandler* handler, ITarnCommand** command) {
  return CommandService::Instance().AddCommand(id, handler, command);
}

HRESULT CommandScope::RemoveCommand(ITarnCommand* command) {
  return CommandService::Instance().RemoveCommand(command);
}

HRESULT CommandScope::QueryCommandService(REFGUID guid, DWORD argument, IUnknown* classObject,
                                          IUnknown** service) {
  return CommandService::Instance().QueryCommandService(guid, argument, classObject, service);
}

HRESULT CommandScope::ExecuteCommand(DWORD id, LONG* result) {
  return CommandService::Instance().ExecuteCommand(id, result);
}

HRESULT CommandScope::QueryCommandState(DWORD id, ITarnCommandState* state, LONG* result) {
  return CommandService::Instance().QueryCommandState(id, state, result);
}

HRESULT CommandScope::NotifyCommand(DWORD id, DWORD kind, DWORD a, DWORD b, LONG* result) {
  return CommandService::Instance().NotifyCommand(id, kind, a, b, result);
}

}  // namespace Tarn
