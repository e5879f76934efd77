// State messages: what a module sends to have a piece of its state kept with a document (a
// plot's scale range, say). Each carries a state record, whose texts the host has copied, and the
// message object that names what the record is the state of (a type word and a name); a
// document keeps the latest message per name. Made by the message value service when a module
// sends, and again by a document that hands its kept messages back.
#pragma once

#include <optional>
#include <string>

#include "host/framework/held_reference.h"
#include "host/framework/state_record.h"
#include "host/framework/tarn_api.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class StateMessage final : public SimpleUnknownImp1<IMessage, 1> {
 public:
  // `object` is held.
  StateMessage(DWORD id, DWORD flags, StateRecord record, IUnknown* object);

  HRESULT Load(IBinInStream* stream) override;
  HRESULT Save(IBinOutStream* stream) override;
  HRESULT GetTypeId(DWORD* type) override;
  DWORD GetMessageId() override;
  DWORD GetFlags() override;
  HRESULT Clone(IMessage** copy) override;
  // The record packed as the module sent it, its texts string objects of the message's own.
  const void* GetData(DWORD* bytes) override;
  HRESULT SetSender(IMessageHandler* sender) override;
  HRESULT IsSender(IMessageHandler* sender, BOOL* isSender) override;
  HRESULT GetTarget(DWORD* type) override;

  const StateRecord& Record() const { return m_record; }
  IUnknown* Object() const { return m_object.get(); }

 private:
  DWORD m_id;
  DWORD m_flags;
  StateRecord m_record;
  PackedStateRecord m_packed;
  HeldReference<IUnknown> m_object;
  IMessageHandler* m_sender = nullptr;  // compared, never called
};

// What a document keeps of a state message, and makes it from again.
struct StateMessageParts {
  DWORD id = 0;
  DWORD flags = 0;  // the mode the module sent it with among them
  DWORD objectType = 0;
  std::u16string objectName;
  StateRecord record;
  bool operator==(const StateMessageParts&) const = default;
};

// The parts of a state message; none for any other message.
TARN_API std::optional<StateMessageParts> StateOfMessage(IMessage* message);
// A new state message (with a new message object naming it), with one reference for the caller.
TARN_API IMessage* NewStateMessage(const StateMessageParts& parts);

}  // namespace Tarn
