#include "hostframework/message_sender.h"

#include <cstring>

#include "core/com_ptr.h"
#include "hostframework/host_services.h"

HRESULT TarnMessageSender::Send(IMessageHandler* target, IMessage* message) {
  if (!m_enabled || !message) return E_FAIL;
  message->AddRef();
  ITarnMessageService* service = GetTarnMessageService();
  HRESULT hr = E_FAIL;
  if (service) {
    message->SetSender(SenderIdentity());
    hr = service->DeliverMessage(message, target);
    message->SetSender(nullptr);
  }
  message->Release();
  return hr;
}

HRESULT TarnMessageSender::CreateAndSend(IMessageHandler* target,
                                         const TarnMessageDescription& description,
                                         DWORD extraFlags) {
  return CreateMessageAndSend(target, description.id, description.flags | extraFlags, nullptr,
                              description.parameters, description.parameterBytes);
}

HRESULT TarnMessageSender::CreateAndSend2(IMessageHandler* target, const void* record,
                                          DWORD recordBytes, IUnknown* object, DWORD mode) {
  if (!record || recordBytes < sizeof(DWORD)) return E_INVALIDARG;
  DWORD id = 0;
  std::memcpy(&id, record, sizeof id);
  return CreateMessageAndSend(target, id, mode, object, record, recordBytes);
}

HRESULT TarnMessageSender::CreateMessageAndSend(IMessageHandler* target, DWORD id, DWORD flags,
                                                IUnknown* object, const void* parameters,
                                                DWORD parameterBytes) {
  if (!m_enabled) return E_FAIL;
  ITarnMessageValueService* values = GetTarnMessageValueService();
  if (!values) return E_FAIL;
  Quor::ComPtr<IMessage> message;
  const HRESULT created = values->CreateMessage(id, flags, 0, 0, object, parameters,
                                                parameterBytes,
                                                Quor::ComPtrOut<IMessage>::Bind(message));
  if (FAILED(created) || !message) return FAILED(created) ? created : E_FAIL;
  return Send(target, message.Get());
}
