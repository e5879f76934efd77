#include "hostframework/cpp_event_handler.h"

#include "hostframework/host_services.h"

TarnProxyEventHandler::~TarnProxyEventHandler() {
  if (m_owner) m_owner->SetProxy(nullptr);
  if (ITarnEventManager* manager = GetTarnEventManager()) manager->RemoveObserver(this);
}

HRESULT TarnProxyEventHandler::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IUnknown::iid || iid == IMessageHandler::iid) {
    *object = static_cast<IMessageHandler*>(this);
  } else if (iid == ITarnCommandHandler::iid) {
    *object = static_cast<ITarnCommandHandler*>(this);
  } else if (iid == IObserver::iid) {
    *object = static_cast<IObserver*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG TarnProxyEventHandler::AddRef() { return InternalAddRef(); }

ULONG TarnProxyEventHandler::Release() {
  const ULONG count = InternalRelease();
  if (count == 0) delete this;
  return count;
}

LONG TarnProxyEventHandler::OnCommand(DWORD id) {
  return m_owner ? m_owner->DispatchCommand(id) : 0;
}

LONG TarnProxyEventHandler::OnCommandEnable(DWORD id, ITarnCommandState* state) {
  return m_owner ? m_owner->DispatchCommandEnable(id, state) : 0;
}

LONG TarnProxyEventHandler::OnCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b) {
  return m_owner ? m_owner->DispatchCommandNotify(id, kind, a, b) : 0;
}

LONG TarnProxyEventHandler::RegisterEvents(ITarnEventRegistrar* registrar) {
  if (!m_owner || !registrar) return 1;
  RegisterAction action(registrar, this);
  m_owner->ForEachEntry(action);
  return 0;
}

LONG TarnProxyEventHandler::OnNotify(ISubject*, DWORD eventId, LONG_PTR, const void* parameters) {
  if (m_owner) m_owner->DispatchNotice(eventId, parameters);
  return 0;
}

LONG TarnProxyEventHandler::HandleMessage(IMessage* message) {
  if (!message || !Accepts(message)) return 0;
  if (m_owner && m_owner->HandleMessageByTable(message)) return 1;
  return OfferToChildren(message);
}

TarnCppEventHandler::TarnCppEventHandler() { SetProxy(new TarnProxyEventHandler); }

TarnCppEventHandler::~TarnCppEventHandler() {
  DisconnectProxy();
  m_pendingSubjects.RemoveAll();
}

void TarnCppEventHandler::DisconnectProxy() {
  if (TarnProxyEventHandler* proxy = m_proxy) {
    m_proxy = nullptr;
    proxy->SetOwner(nullptr);
    proxy->Release();
  }
}

void TarnCppEventHandler::SetProxy(TarnProxyEventHandler* proxy) {
  DisconnectProxy();
  if (!proxy) return;
  proxy->AddRef();
  proxy->SetOwner(this);
  m_proxy = proxy;
  for (DWORD i = 0; i < m_pendingSubjects.GetCount(); ++i) {
    if (ISubject* subject = m_pendingSubjects[i]) subject->AttachObserver(proxy, 0);
  }
  m_pendingSubjects.RemoveAll();
}

void TarnCppEventHandler::ObserveSubject(ISubject* subject) {
  if (!subject) return;
  if (m_proxy) {
    subject->AttachObserver(m_proxy, 0);
  } else {
    m_pendingSubjects.Add(subject);
  }
}

IMessageHandler* TarnCppEventHandler::GetSendTarget() {
  return m_proxy ? m_proxy->GetSendTarget() : nullptr;
}
