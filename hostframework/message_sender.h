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
  // Both create the message through the host's message value service and Send it; E_FAIL,
  // with nothing created, while disabled.
  HRESULT CreateAndSend(IMessageHandler* target, const TarnMessageDescription& description,
                        DWORD extraFlags = 0);
  // Sends a state record (its first word is the message id; see platform/pendrel/messages.h)
  // with the host message object that names what it is the state of, under the mode word. The
  // host copies what it keeps: the record and its texts need to live only for the call.
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
  HRESULT CreateMessageAndSend(IMessageHandler* target, DWORD id, DWORD flags, IUnknown* object,
                               const void* parameters, DWORD parameterBytes);

  bool m_enabled = true;
};
