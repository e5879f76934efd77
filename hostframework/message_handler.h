// Message handlers form trees: a message sent from anywhere in a tree is addressed to its root,
// and a handler offers a message to its children in order until one handles it. A child keeps
// no reference on its parent, so a tree never holds itself alive.
#pragma once

#include "core/iunknown_array.h"
#include "hostframework/message_sender.h"

// Answers E_NOTIMPL for every handler operation a derived class does not replace.
class UnimplementedIMessageHandler : public IMessageHandler {
 public:
  LONG HandleMessage(IMessage*) override { return 0; }
  HRESULT AddHandler(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT RemoveHandler(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT SetParent(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT GetSender(IMessageHandler**) override { return E_NOTIMPL; }

 protected:
  ~UnimplementedIMessageHandler() = default;
};

class TarnMessageHandler : public UnimplementedIMessageHandler, public TarnMessageSender {
 public:
  TarnMessageHandler();
  ~TarnMessageHandler() override;

  LONG HandleMessage(IMessage* message) override;
  HRESULT AddHandler(IMessageHandler* child) override;
  HRESULT RemoveHandler(IMessageHandler* child) override;
  HRESULT SetParent(IMessageHandler* parent) override;
  HRESULT GetSender(IMessageHandler** sender) override;

  // False for a message flagged "not for its sender" that this handler sent.
  virtual bool Accepts(IMessage* message);

  // Makes this handler a child of `parent`, or with null the root of its own tree.
  void AttachToParent(IUnknown* parent);
  // Leaves the parent and lets go of every child.
  void Detach();

  IMessageHandler* GetSendTarget() override;
  IMessageHandler* GetParent() const { return m_parent; }
  DWORD GetChildCount() const { return m_children.GetCount(); }

 protected:
  IMessageHandler* SenderIdentity() override { return this; }
  // The children alone, in order; the first that handles the message ends the walk.
  LONG OfferToChildren(IMessage* message);

 private:
  void ReleaseChildren();
  void ForgetChild(IMessageHandler* child);

  InterfaceArray<IMessageHandler> m_children;
  IMessageHandler* m_parent = nullptr;  // no reference: the parent holds ours
};
