#include "host/framework/host_command.h"

#include "host/framework/call_log.h"

namespace Tarn {

HostCommand::HostCommand(DWORD id, ITarnCommandHandler* handler)
    : m_id(id), m_handler(Hold(handler)) {}

HRESULT HostCommand::GetId(DWORD* id) {
  RecordCall("Command", "GetId");
  if (!id) return E_POINTER;
  *id = m_id;
  return S_OK;
}

HeldReference<ITarnCommandHandler> HostCommand::Handler() {
  std::lock_guard lock(m_mutex);
  return Hold(m_handler.get());
}

void HostCommand::DropHandler() {
  HeldReference<ITarnCommandHandler> dropped;
  {
    std::lock_guard lock(m_mutex);
    dropped = std::move(m_handler);
  }
  // Released outside the lock: the handler's destructor may call back into the host.
}

}  // namespace Tarn
