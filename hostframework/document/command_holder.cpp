#include "hostframework/document/command_holder.h"

void TarnCommandHolder::Reset(IUnknown* serviceEntry, ITarnCommandHandler* handler) {
  Quor::ComPtr<ITarnCommandService> service;
  if (serviceEntry) {
    serviceEntry->QueryInterface(ITarnCommandService::iid,
                                 Quor::ComPtrOut<ITarnCommandService>::Bind(service));
  }
  m_service = service;
  m_handler = handler;
}

HRESULT TarnCommandHolder::AddCommand(DWORD id) {
  if (!m_service || !m_handler) return E_FAIL;
  ITarnCommand* command = nullptr;
  const HRESULT hr = m_service->AddCommand(id, m_handler, &command);
  if (command) {
    m_commands.Add(command);
    command->Release();
  }
  return hr;
}

void TarnCommandHolder::Clear() {
  m_commands.RemoveAll();
  m_service.Clear();
  m_handler = nullptr;
}
