// The command service the host hands a module's class for the commands of one GUID. There is
// one per GUID, made on the first query and kept by the command service; its commands route
// through the host's one command service, so menus and automation find them wherever they
// were registered.
#pragma once

#include "platform/pendrel/commands.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class CommandScope final : public SimpleUnknownImp1<ITarnCommandService, 1> {
 public:
  explicit CommandScope(REFGUID guid) : m_guid(guid) {}

  HRESULT AddCommand(DWORD id, ITarnCommandHandler* handler, ITarnCommand** command) override;
  HRESULT RemoveCommand(ITarnCommand* command) override;
  HRESULT QueryCommandService(REFGUID guid, DWORD argument, IUnknown* classObject,
                              IUnknown** service) override;
  HRESULT ExecuteCommand(DWORD id, LONG* result) override;
  HRESULT QueryCommandState(DWORD id, ITarnCommandState* state, LONG* result) override;
  HRESULT NotifyCommand(DWORD id, DWORD kind, DWORD a, DWORD b, LONG* result) override;

  const GUID& Guid() const { return m_guid; }

 private:
  const GUID m_guid;
};

}  // namespace Tarn
