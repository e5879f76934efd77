// The message objects the host makes: an id, a flags word, a private copy of the parameter
// block, the target type it names (if any) and the handler that is sending it.
#pragma once

#include <string>
#include <vector>

#include "host/framework/tarn_api.h"
#include "platform/pendrel/messages.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class HostMessage final : public SimpleUnknownImp1<IMessage, 1> {
 public:
  HostMessage(DWORD id, DWORD flags, const void* parameters, DWORD parameterBytes,
              DWORD target = 0);

  HRESULT Load(IBinInStream* stream) override;
  HRESULT Save(IBinOutStream* stream) override;
  HRESULT GetTypeId(DWORD* type) override;
  DWORD GetMessageId() override;
  DWORD GetFlags() override;
  HRESULT Clone(IMessage** copy) override;
  const void* GetData(DWORD* bytes) override;
  HRESULT SetSender(IMessageHandler* sender) override;
  HRESULT IsSender(IMessageHandler* sender, BOOL* isSender) override;
  HRESULT GetTarget(DWORD* type) override;

  // "id=0x..., flags=0x..., data=[...]" without a record of its own.
  std::string Describe() const;

  // The name of a message object of the shared service (what a state message is the state
  // of); empty for other messages.
  const std::u16string& Name() const { return m_name; }
  void SetName(std::u16string name) { m_name = std::move(name); }

 private:
  DWORD m_id;
  DWORD m_flags;
  std::vector<unsigned char> m_parameters;
  DWORD m_target;
  std::u16string m_name;
  // Compared, never called: the sender sets and clears it around one delivery.
  IMessageHandler* m_sender = nullptr;
};

// "id=0x..., flags=0x..." of any message, for the call log. The host's own messages are read
// without going through their interface, so that the log shows only what callers asked.
std::string DescribeMessage(IMessage* message);

// A new message object with one reference for the caller, for the host's parts outside this
// library (the parameter block is copied).
TARN_API IMessage* NewHostMessage(DWORD id, DWORD flags, const void* parameters,
                                  DWORD parameterBytes);
// A message object of type `type` named `name`, with one reference for the caller.
IMessage* NewMessageObject(DWORD type, std::u16string name);

}  // namespace Tarn
