#include "hostframework/message_handler.h"

#include "core/com_ptr.h"

TarnMessageHandler::TarnMessageHandler() { m_children.SetSize(0); }

TarnMessageHandler::~TarnMessageHandler() {
  // A parent holds a reference on each child, so a handler that is going has normally left
  // its parent already. If not, the parent must forget it without calling back into it.
  if (auto* parent = dynamic_cast<TarnMessageHandler*>(m_parent)) parent->ForgetChild(this);
  m_parent = nullptr;
  ReleaseChildren();
}

void TarnMessageHandler::ForgetChild(IMessageHandler* child) {
  const int index = m_children.IndexOf(child);
  if (index < 0) return;
  *m_children.ElementAtGrow(DWORD(index)) = nullptr;
  m_children.RemoveAt(DWORD(index));
}

void TarnMessageHandler::ReleaseChildren() {
  // Each child forgets us first, so that it never reaches back into a handler that is going.
  for (DWORD i = 0; i < m_children.GetCount(); ++i) {
    if (IMessageHandler* child = m_children.GetAt(i)) child->SetParent(nullptr);
  }
  m_children.RemoveAll();
}

LONG TarnMessageHandler::HandleMessage(IMessage* message) { return OfferToChildren(message); }

LONG TarnMessageHandler::OfferToChildren(IMessage* message) {
  for (DWORD i = 0; i < m_children.GetCount(); ++i) {
    // Hold the child: handling may remove it from the tree.
    Quor::ComPtr<IMessageHandler> child(m_children.GetAt(i));
    if (child && child->HandleMessage(message) != 0) return 1;
  }
  return 0;
}

HRESULT TarnMessageHandler::AddHandler(IMessageHandler* child) {
  if (!child) return E_POINTER;
  m_children.Add(child);
  child->SetParent(this);
  return S_OK;
}

HRESULT TarnMessageHandler::RemoveHandler(IMessageHandler* child) {
  if (!child) return S_FALSE;
  const int index = m_children.IndexOf(child);
  if (index < 0) return E_FAIL;
  Quor::ComPtr<IMessageHandler> keep(child);
  child->SetParent(nullptr);
  m_children.RemoveAt(DWORD(index));
  return S_OK;
}

HRESULT TarnMessageHandler::SetParent(IMessageHandler* parent) {
  m_parent = parent;
  return S_OK;
}

HRESULT TarnMessageHandler::GetSender(IMessageHandler** sender) {
  if (!sender) return E_POINTER;
  *sender = GetSendTarget();
  return S_OK;
}

IMessageHandler* TarnMessageHandler::GetSendTarget() {
  // The root of the tree, found when asked, so that it is never stale.
  if (m_parent) {
    IMessageHandler* root = nullptr;
    if (SUCCEEDED(m_parent->GetSender(&root)) && root) return root;
  }
  AddRef();
  return this;
}

bool TarnMessageHandler::Accepts(IMessage* message) {
  if (!(message->GetFlags() & kTarnMessageNotForSender)) return true;
  BOOL isSender = FALSE;
  message->IsSender(SenderIdentity(), &isSender);
  return !isSender;
}

void TarnMessageHandler::AttachToParent(IUnknown* parent) {
  if (!parent) {
    m_parent = nullptr;
    return;
  }
  Quor::ComPtr<IMessageHandler> handler;
  if (SUCCEEDED(parent->QueryInterface(IMessageHandler::iid,
                                       Quor::ComPtrOut<IMessageHandler>::Bind(handler)))) {
    handler->AddHandler(this);
  }
}

void TarnMessageHandler::Detach() {
  if (m_parent) m_parent->RemoveHandler(this);
  m_parent = nullptr;
  ReleaseChildren();
}
