#include "hostframework/document/tarn_document.h"

#include "hostframework/host_services.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/recording_document.h"
#include "platform/win32/bstr.h"

TarnDocument::TarnDocument(IUnknown* parent, IUnknown* host, DWORD tag, DWORD)
    : m_parent(parent), m_host(host), m_tag(tag) {
  if (parent) {
    parent->QueryInterface(ITarnClassObject::iid,
                           Quor::ComPtrOut<ITarnClassObject>::Bind(m_parentClass));
  }
  // The document hears every event of its host document: the table, looked up when a notice
  // comes, picks what it answers.
  if (ITarnEventManager* manager = GetTarnEventManager(); manager && host) {
    Quor::ComPtr<ISubject> subject;
    host->QueryInterface(ISubject::iid, Quor::ComPtrOut<ISubject>::Bind(subject));
    if (subject) manager->AttachObserver(subject.Get(), this, 0);
  }
  if (ITarnClassRegistry* registry = GetTarnClassRegistry()) {
    registry->CreateObject(kTarnTypeDocumentObject, IPendrelDocumentSite::iid,
                           Quor::ComPtrOut<IPendrelDocumentSite>::Bind(m_site));
    if (m_site) m_site->Attach(parent, host);
  }
}

TarnDocument::~TarnDocument() {
  if (ITarnEventManager* manager = GetTarnEventManager()) manager->RemoveObserver(this);
  m_framework.Clear();
  m_hostValue.Clear();
  m_hostDocument.Clear();
  m_relay.Clear();
  m_messageTarget.Clear();
  m_notice.Clear();
  m_site.Clear();
  m_parentClass.Clear();
  m_parent.Clear();
  m_host.Clear();
}

HRESULT TarnDocument::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid || iid == ICustomDocument::iid || iid == ICustomDocument2::iid) {
    *object = static_cast<ICustomDocument2*>(this);
  } else if (iid == ITarnCommandHandler::iid) {
    *object = static_cast<ITarnCommandHandler*>(this);
  } else if (iid == IObserver::iid) {
    *object = static_cast<IObserver*>(this);
  } else if (iid == IMessageHandler::iid) {
    *object = static_cast<IMessageHandler*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG TarnDocument::AddRef() { return InternalAddRef(); }

ULONG TarnDocument::Release() {
  const ULONG count = InternalRelease();
  if (count == 0) delete this;
  return count;
}

HRESULT TarnDocument::GetName(BSTR* name) {
  if (!name) return E_POINTER;
  SysFreeString(*name);
  *name = nullptr;
  if (!m_name.IsEmpty()) *name = SysAllocStringLen(m_name.c_str(), m_name.Length());
  return S_OK;
}

HRESULT TarnDocument::GetEnabled(VARIANT_BOOL* enabled) {
  if (!enabled) return E_POINTER;
  *enabled = VARIANT_TRUE;
  return S_OK;
}

HRESULT TarnDocument::Close() {
  Detach();
  return S_OK;
}

HRESULT TarnDocument::GetExtra(IUnknown** extra) {
  if (extra) *extra = nullptr;
  return E_NOTIMPL;
}

HRESULT TarnDocument::GetDocumentTag(DWORD* tag) {
  if (!tag) return E_POINTER;
  *tag = m_tag;
  return S_OK;
}

HRESULT TarnDocument::GetFramework(IUnknown** framework) {
  if (!framework) return E_POINTER;
  *framework = nullptr;
  if (!m_framework && m_host) {
    Quor::ComPtr<IPendrelRecordingDocument> recording;
    m_host->QueryInterface(IPendrelRecordingDocument::iid,
                           Quor::ComPtrOut<IPendrelRecordingDocument>::Bind(recording));
    if (recording) recording->GetDataDocument(Quor::ComPtrOut<IUnknown>::Bind(m_framework));
  }
  if (m_framework) {
    m_framework->AddRef();
    *framework = m_framework.Get();
  }
  return S_OK;
}

HRESULT TarnDocument::GetPersistObject(DWORD, DWORD, DWORD, IUnknown** object, IUnknown** extra) {
  if (object) *object = nullptr;
  if (extra) *extra = nullptr;
  return E_NOTIMPL;
}

HRESULT TarnDocument::SetDocumentText(DWORD, IQuorString* text) {
  m_text = Quor::String(text);
  return S_OK;
}

HRESULT TarnDocument::GetDocumentText(DWORD, IQuorString** text) {
  if (!text) return E_POINTER;
  *text = m_text.GetInterface();
  return S_OK;
}

HRESULT TarnDocument::GetDocumentMode(DWORD* mode) {
  if (!mode) return E_POINTER;
  *mode = m_mode;
  return S_OK;
}

HRESULT TarnDocument::SetDocumentMode(DWORD mode) {
  m_mode = mode;
  return S_OK;
}

HRESULT TarnDocument::OnStateChange(DWORD) { return S_OK; }

template <class I>
I* TarnDocument::SiteFace(Quor::ComPtr<I>& cache) {
  if (!cache && m_site) m_site->QueryInterface(I::iid, Quor::ComPtrOut<I>::Bind(cache));
  return cache.Get();
}

LONG TarnDocument::OnNotify(ISubject* subject, DWORD eventId, LONG_PTR a, const void* parameters) {
  if (IObserver* relay = SiteFace(m_relay)) relay->OnNotify(subject, eventId, a, parameters);
  DispatchNotice(eventId, parameters);
  return 0;
}

LONG TarnDocument::HandleMessage(IMessage* message) {
  if (TarnEventHandlerT<1>::HandleMessage(message)) return 1;
  if (!message || !Accepts(message)) return 0;
  IMessageHandler* target = SiteFace(m_messageTarget);
  return target ? target->HandleMessage(message) : 0;
}

Quor::ComPtr<ISubject> TarnDocument::NoticeSubject() const {
  Quor::ComPtr<ISubject> subject;
  if (m_site) m_site->QueryInterface(ISubject::iid, Quor::ComPtrOut<ISubject>::Bind(subject));
  return subject;
}

void TarnDocument::SendFrameworkNotice(DWORD type, DWORD code) {
  if (ITarnFrameworkNotice* notice = SiteFace(m_notice)) notice->Notice(type, &code);
}

IPendrelHostDocument* TarnDocument::GetHostDocument() { return SiteFace(m_hostDocument); }

IUnknown* TarnDocument::GetHostValue() {
  if (!m_hostValue) {
    if (IPendrelHostDocument* document = GetHostDocument()) {
      document->GetHostValue(Quor::ComPtrOut<IUnknown>::Bind(m_hostValue));
    }
  }
  return m_hostValue.Get();
}

HRESULT TarnDocument::SendToHost(DWORD id, const void* parameters, DWORD bytes,
                                 DWORD extraFlags) {
  Quor::ComPtr<IMessageHandler> target;
  target.Attach(GetSendTarget());
  return CreateAndSend(target.Get(), {id, 0, parameters, bytes}, extraFlags);
}
