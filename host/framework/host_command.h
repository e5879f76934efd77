// A command the host knows: its id and the handler it routes to. The handler is held until the
// command is removed from the command service, however long the module keeps the command object.
#pragma once

#include <mutex>

#include "host/framework/held_reference.h"
#include "platform/pendrel/commands.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class HostCommand final : public SimpleUnknownImp1<ITarnCommand, 1> {
 public:
  // Takes a reference on the handler.
  HostCommand(DWORD id, ITarnCommandHandler* handler);

  HRESULT GetId(DWORD* id) override;

  DWORD Id() const { return m_id; }
  // The handler with a reference for the caller; null once dropped.
  HeldReference<ITarnCommandHandler> Handler();
  void DropHandler();

 private:
  const DWORD m_id;
  std::mutex m_mutex;
  HeldReference<ITarnCommandHandler> m_handler;
};

}  // namespace Tarn
