#include "host/document/document_class_part.h"

#include "host/document/hosted_document.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/held_reference.h"
#include "platform/win32/interlocked.h"

namespace PendrelHost {

DocumentClassPart::DocumentClassPart(IUnknown* outer) : m_outer(outer), m_inner(this) {}

HRESULT DocumentClassPart::QueryInterface(REFIID iid, void** object) {
  return m_outer->QueryInterface(iid, object);
}

ULONG DocumentClassPart::AddRef() { return m_outer->AddRef(); }

ULONG DocumentClassPart::Release() { return m_outer->Release(); }

HRESULT DocumentClassPart::InnerQueryInterface(REFIID iid, void** object) {
  if (iid == ITarnCommandHandler::iid) {
    // The face counts on the outer object, as every face of an aggregated part does.
    *object = static_cast<ITarnCommandHandler*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DocumentClassPart::InnerAddRef() { return ULONG(InterlockedIncrement(&m_refCount)); }

ULONG DocumentClassPart::InnerRelease() {
  const LONG count = InterlockedDecrement(&m_refCount);
  if (count == 0) delete this;
  return ULONG(count);
}

ITarnCommandHandler* DocumentClassPart::ActiveHandler() {
  HostedDocument* active = ActiveDocument();
  if (!active) return nullptr;
  ITarnClassObject* classObject = nullptr;
  if (FAILED(m_outer->QueryInterface(ITarnClassObject::iid,
                                     reinterpret_cast<void**>(&classObject)))) {
    return nullptr;
  }
  DWORD type = 0;
  classObject->GetTypeId(&type);
  classObject->Release();
  ICustomDocument2* document = active->ModuleOfType(type);
  ITarnCommandHandler* handler = nullptr;
  if (document) {
    document->QueryInterface(ITarnCommandHandler::iid, reinterpret_cast<void**>(&handler));
  }
  return handler;
}

LONG DocumentClassPart::OnCommand(DWORD id) {
  Tarn::HeldReference<ITarnCommandHandler> handler(ActiveHandler());
  return handler ? handler->OnCommand(id) : 1;
}

LONG DocumentClassPart::OnCommandEnable(DWORD id, ITarnCommandState* state) {
  Tarn::HeldReference<ITarnCommandHandler> handler(ActiveHandler());
  return handler ? handler->OnCommandEnable(id, state) : 1;
}

LONG DocumentClassPart::OnCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b) {
  Tarn::HeldReference<ITarnCommandHandler> handler(ActiveHandler());
  return handler ? handler->OnCommandNotify(id, kind, a, b) : 1;
}

HRESULT DocumentClassFactory::CreateInner(IUnknown* outer, DWORD argument, IUnknown** inner) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall("DocumentClassFactory", "CreateInner",
                     "outer=" + Tarn::Presence(outer) + ", argument=" + Tarn::HexWord(argument));
    if (!inner) return E_POINTER;
    *inner = nullptr;
    // The part exists only inside a class object.
    if (!outer) return CLASS_E_NOAGGREGATION;
    *inner = (new DocumentClassPart(outer))->Inner();
    return S_OK;
  });
}

}  // namespace PendrelHost
