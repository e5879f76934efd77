// Event handling for objects that are not COM objects (view windows): the host talks to a COM
// proxy, which forwards every call to its owner's event table while the owner lives and answers
// harmlessly afterwards.
#pragma once

#include "core/ci_array.h"
#include "core/com_object_root.h"
#include "hostframework/event_handler.h"

class TarnCppEventHandler;

class TarnProxyEventHandler final : public Quor::CComObjectRoot,
                                    public ITarnCommandHandler,
                                    public IObserver,
                                    public TarnMessageHandler {
 public:
  TarnProxyEventHandler() = default;
  ~TarnProxyEventHandler() override;

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  LONG OnCommand(DWORD id) override;
  LONG OnCommandEnable(DWORD id, ITarnCommandState* state) override;
  LONG OnCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b) override;
  LONG RegisterEvents(ITarnEventRegistrar* registrar) override;
  LONG OnNotify(ISubject* subject, DWORD eventId, LONG_PTR a, const void* parameters) override;
  LONG HandleMessage(IMessage* message) override;

  void SetOwner(TarnCppEventHandler* owner) { m_owner = owner; }
  TarnCppEventHandler* GetOwner() const { return m_owner; }

 private:
  TarnCppEventHandler* m_owner = nullptr;  // not counted; null once the owner has gone
};

class TarnCppEventHandler : public TarnEventHandlerBase, public TarnMessageSender {
 public:
  TarnCppEventHandler();
  ~TarnCppEventHandler() override;

  // Connects a new proxy in place of the current one.
  void SetProxy(TarnProxyEventHandler* proxy);
  TarnProxyEventHandler* GetProxy() const { return m_proxy; }
  // Observes a subject through the proxy; recorded until a proxy is connected.
  void ObserveSubject(ISubject* subject);

  IMessageHandler* GetSendTarget() override;

 protected:
  IMessageHandler* SenderIdentity() override { return m_proxy; }

 private:
  void DisconnectProxy();

  TarnProxyEventHandler* m_proxy = nullptr;  // one reference
  CIArray<ISubject, CIArray_NeverCallDeleteAtRuntime<ISubject>> m_pendingSubjects;
};
