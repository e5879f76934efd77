// Sends messages through the host's message service to the root of a handler tree.
#pragma once

#include "platform/pendrel/messages.h"

// What a message is made from: its id, flags and parameter block.
struct TarnMessageDescription {
  DWORD id;
  DWORD flags;
  const void* parameters;
  DWORD parameterBytes;
};

class TarnMessageSender {
 public:
  TarnMessageSender() = default;
  TarnMessageSender(const TarnMessageSender&) = delete;
  TarnMessageSender& operator=(const TarnMessageSender&) = delete;
  virtual ~TarnMessageSender() = default;

  // E_FAIL while disabled or without the host's message service; else the service's result.
  virtual HRESULT Send(IMessageHandler* target, IMessage* message);
  HRESULT CreateAndSend(IMessageHandler* target, const TarnMessageDescription& description,
                        DWORD extraFlags = 0);
  // Sends a typed record (its first word is the message id) with the host object that names
  // it, under the mode word; the object is held for the send.
  HRESULT CreateAndSend2(IMessageHandler* target, const void* record, DWORD recordBytes,
                         IUnknown* object, DWORD mode);
  // The handler this sender's messages are addressed to (the root of its tree), with a
  // reference; null when there is none.
  virtual IMessageHandler* GetSendTarget() = 0;

  void SetEnabled(bool enabled) { m_enabled = enabled; }
  bool IsEnabled() const { return m_enabled; }

 protected:
  // The handler that messages name as their sender.
  virtual IMessageHandler* SenderIdentity() = 0;

 private:
  bool m_enabled = true;
};
