// The message by which a view asks the host to show a comment. The message holds a counted
// reference to its comment, so the host may keep the message (or a clone of it) after the
// sender has let the comment go.
#pragma once

#include <functional>

#include "core/com_ptr.h"
#include "hostframework/message_sender.h"
#include "platform/pendrel/comments.h"
#include "platform/win32/com_object.h"

class ShowComment2Msg : public SimpleUnknownImp2<IMessage, IShowComment2Message, 0> {
 public:
  ShowComment2Msg(IPendrelComment* comment, DWORD position, IMessageHandler* sender = nullptr);

  // IPersistObject
  HRESULT Load(IBinInStream*) override { return E_NOTIMPL; }
  HRESULT Save(IBinOutStream*) override { return E_NOTIMPL; }
  HRESULT GetTypeId(DWORD* type) override;
  // IMessage
  DWORD GetMessageId() override { return kShowComment2MessageId; }
  DWORD GetFlags() override { return 1; }
  HRESULT Clone(IMessage** copy) override;
  const void* GetData(DWORD* bytes) override;
  HRESULT SetSender(IMessageHandler* sender) override;
  HRESULT IsSender(IMessageHandler* sender, BOOL* isSender) override;
  HRESULT GetTarget(DWORD* type) override;
  // IShowComment2Message
  HRESULT GetComment(IPendrelComment** comment) override;
  HRESULT GetPosition(DWORD* position) override;

  // Where a view's data has no position.
  static constexpr LONG kNoPosition = 0x7FFFFFFF;

  // Sends the comment at `offset` of `record` through `sender` to `target`: nothing without a
  // position, when the view does not show comments, or when `commentAt` finds none there (it
  // returns the comment with a reference, or null).
  static HRESULT Send(TarnMessageSender& sender, IMessageHandler* target, LONG record, LONG offset,
                      bool showComments,
                      const std::function<IPendrelComment*(LONG record, LONG offset)>& commentAt);

 private:
  ~ShowComment2Msg() override = default;

  Quor::ComPtr<IPendrelComment> m_comment;
  DWORD m_position;
  IMessageHandler* m_sender;  // compared only, never called
};
