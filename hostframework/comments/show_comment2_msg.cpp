#include "hostframework/comments/show_comment2_msg.h"

ShowComment2Msg::ShowComment2Msg(IPendrelComment* comment, DWORD position, IMessageHandler* sender)
    : m_comment(comment), m_position(position), m_sender(sender) {}

HRESULT ShowComment2Msg::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = kShowComment2MessageId;
  return S_OK;
}

HRESULT ShowComment2Msg::Clone(IMessage** copy) {
  if (!copy) return E_POINTER;
  auto* clone = new ShowComment2Msg(m_comment.Get(), m_position, m_sender);
  clone->AddRef();
  *copy = clone;
  return S_OK;
}

const void* ShowComment2Msg::GetData(DWORD* bytes) {
  if (bytes) *bytes = 0;
  return nullptr;
}

HRESULT ShowComment2Msg::SetSender(IMessageHandler* sender) {
  m_sender = sender;
  return S_OK;
}

HRESULT ShowComment2Msg::IsSender(IMessageHandler* sender, BOOL* isSender) {
  if (!isSender) return E_POINTER;
  *isSender = sender == m_sender ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT ShowComment2Msg::GetTarget(DWORD* type) {
  if (type) *type = 0;
  return S_FALSE;
}

HRESULT ShowComment2Msg::GetComment(IPendrelComment** comment) {
  if (!comment) return E_POINTER;
  *comment = m_comment.Get();
  if (*comment) (*comment)->AddRef();
  return S_OK;
}

HRESULT ShowComment2Msg::GetPosition(DWORD* position) {
  if (!position) return E_POINTER;
  *position = m_position;
  return S_OK;
}

HRESULT ShowComment2Msg::Send(TarnMessageSender& sender, IMessageHandler* target, LONG record,
                              LONG offset, bool showComments,
                              const std::function<IPendrelComment*(LONG, LONG)>& commentAt) {
  if (offset == kNoPosition || !showComments) return S_FALSE;
  Quor::ComPtr<IPendrelComment> comment;
  comment.Attach(commentAt(record, offset));
  if (!comment) return S_FALSE;
  auto* message = new ShowComment2Msg(comment.Get(), kShowComment2Position);
  message->AddRef();
  const HRESULT hr = sender.Send(target, message);
  message->Release();
  return hr;
}
