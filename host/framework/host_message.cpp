#include "host/framework/host_message.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace Tarn {

namespace {
constexpr const char* kService = "Message";
}

HostMessage::HostMessage(DWORD id, DWORD flags, const void* parameters, DWORD parameterBytes,
                         DWORD target)
    : m_id(id), m_flags(flags), m_target(target) {
  if (parameters && parameterBytes > 0) {
    const auto* bytes = static_cast<const unsigned char*>(parameters);
    m_parameters.assign(bytes, bytes + parameterBytes);
  }
}

// Messages made by the host live only while they are delivered; they are never stored.
HRESULT HostMessage::Load(IBinInStream*) {
  RecordCall(kService, "Load");
  return E_NOTIMPL;
}

HRESULT HostMessage::Save(IBinOutStream*) {
  RecordCall(kService, "Save");
  return E_NOTIMPL;
}

HRESULT HostMessage::GetTypeId(DWORD* type) {
  RecordCall(kService, "GetTypeId");
  if (type) *type = 0;
  return E_NOTIMPL;
}

DWORD HostMessage::GetMessageId() {
  RecordCall(kService, "GetMessageId");
  return m_id;
}

DWORD HostMessage::GetFlags() {
  RecordCall(kService, "GetFlags");
  return m_flags;
}

HRESULT HostMessage::Clone(IMessage** copy) {
  RecordCall(kService, "Clone");
  if (!copy) return E_POINTER;
  *copy = nullptr;
  // The copy starts without a sender: it outlives the delivery that set this one's.
  return Guarded([&] {
    auto* clone = new HostMessage(m_id, m_flags, m_parameters.data(),
                                  DWORD(m_parameters.size()), m_target);
    clone->SetName(m_name);
    *copy = clone;
    return S_OK;
  });
}

const void* HostMessage::GetData(DWORD* bytes) {
  RecordCall(kService, "GetData");
  if (bytes) *bytes = DWORD(m_parameters.size());
  return m_parameters.empty() ? nullptr : m_parameters.data();
}

HRESULT HostMessage::SetSender(IMessageHandler* sender) {
  RecordCall(kService, "SetSender", sender ? "sender=set" : "sender=null");
  m_sender = sender;
  return S_OK;
}

HRESULT HostMessage::IsSender(IMessageHandler* sender, BOOL* isSender) {
  RecordCall(kService, "IsSender", sender ? "sender=set" : "sender=null");
  if (!isSender) return E_POINTER;
  *isSender = sender && sender == m_sender ? TRUE : FALSE;
  return S_OK;
}

HRESULT HostMessage::GetTarget(DWORD* type) {
  RecordCall(kService, "GetTarget");
  if (!type) return E_POINTER;
  *type = m_target;
  return m_flags & kTarnMessageHasTarget ? S_OK : S_FALSE;
}

std::string HostMessage::Describe() const {
  std::string text = "id=" + HexWord(m_id) + ", flags=" + HexWord(m_flags);
  if (m_flags & kTarnMessageHasTarget) text += ", target=" + HexWord(m_target);
  return text + ", data=" + WordList(m_parameters.data(), DWORD(m_parameters.size()));
}

std::string DescribeMessage(IMessage* message) {
  if (!message) return "message=null";
  if (auto* own = dynamic_cast<HostMessage*>(message)) return own->Describe();
  return "id=" + HexWord(message->GetMessageId()) + ", flags=" + HexWord(message->GetFlags());
}

IMessage* NewHostMessage(DWORD id, DWORD flags, const void* parameters, DWORD parameterBytes) {
  return new HostMessage(id, flags, parameters, parameterBytes);
}

IMessage* NewMessageObject(DWORD type, std::u16string name) {
  auto* object = new HostMessage(type, 0, nullptr, 0);
  object->SetName(std::move(name));
  return object;
}

}  // namespace Tarn
