#include "host/framework/state_message.h"

#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_message.h"

namespace Tarn {

namespace {
constexpr const char* kService = "StateMessage";
}

StateMessage::StateMessage(DWORD id, DWORD flags, StateRecord record, IUnknown* object)
    : m_id(id),
      m_flags(flags),
      m_record(std::move(record)),
      m_packed(PackStateRecord(m_record)),
      m_object(Hold(object)) {}

// A document keeps the parts of its state messages, not the messages.
HRESULT StateMessage::Load(IBinInStream*) { return E_NOTIMPL; }
HRESULT StateMessage::Save(IBinOutStream*) { return E_NOTIMPL; }

HRESULT StateMessage::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = m_id;
  return S_OK;
}

DWORD StateMessage::GetMessageId() {
  RecordCall(kService, "GetMessageId");
  return m_id;
}

DWORD StateMessage::GetFlags() { return m_flags; }

HRESULT StateMessage::Clone(IMessage** copy) {
  if (!copy) return E_POINTER;
  *copy = nullptr;
  return Guarded([&] {
    *copy = new StateMessage(m_id, m_flags, m_record, m_object.get());
    return S_OK;
  });
}

const void* StateMessage::GetData(DWORD* bytes) {
  RecordCall(kService, "GetData");
  if (bytes) *bytes = DWORD(m_packed.bytes.size());
  return m_packed.bytes.data();
}

HRESULT StateMessage::SetSender(IMessageHandler* sender) {
  m_sender = sender;
  return S_OK;
}

HRESULT StateMessage::IsSender(IMessageHandler* sender, BOOL* isSender) {
  if (!isSender) return E_POINTER;
  *isSender = sender && sender == m_sender ? TRUE : FALSE;
  return S_OK;
}

HRESULT StateMessage::GetTarget(DWORD* type) {
  if (!type) return E_POINTER;
  *type = 0;
  return S_FALSE;
}

std::optional<StateMessageParts> StateOfMessage(IMessage* message) {
  auto* state = dynamic_cast<StateMessage*>(message);
  if (!state) return std::nullopt;
  StateMessageParts parts;
  parts.id = state->GetMessageId();
  parts.flags = state->GetFlags();
  parts.record = state->Record();
  if (auto* object = dynamic_cast<HostMessage*>(state->Object())) {
    parts.objectType = object->GetMessageId();
    parts.objectName = object->Name();
  }
  return parts;
}

IMessage* NewStateMessage(const StateMessageParts& parts) {
  HeldReference<IMessage> object(NewMessageObject(parts.objectType, parts.objectName));
  return new StateMessage(parts.id, parts.flags, parts.record, object.get());
}

}  // namespace Tarn
