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
  ITarnMessageValueService* values = GetTarnMessageValueService();
  if (!values) return E_FAIL;
  Quor::ComPtr<IMessage> message;
  const HRESULT created = values->CreateMessage(
      description.id, description.flags | extraFlags, 0, 0, 0, description.parameters,
      description.parameterBytes, Quor::ComPtrOut<IMessage>::Bind(message));
  if (FAILED(created) || !message) return FAILED(created) ? created : E_FAIL;
  return Send(target, message.Get());
}

HRESULT TarnMessageSender::CreateAndSend2(IMessageHandler* target, const void* record,
                                          DWORD recordBytes, IUnknown* object, DWORD mode) {
  if (!record || recordBytes < sizeof(DWORD)) return E_INVALIDARG;
  DWORD id = 0;
  std::memcpy(&id, record, sizeof id);
  if (object) object->AddRef();
  const HRESULT hr = CreateAndSend(target, {id, mode, record, recordBytes});
  if (object) object->Release();
  return hr;
}
