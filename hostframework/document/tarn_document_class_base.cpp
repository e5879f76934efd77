#include "hostframework/document/tarn_document_class_base.h"

#include "hostframework/host_services.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/win32/bstr.h"

// The class's own table is empty: its commands belong to its documents.
TARN_DEFINE_EVENT_TABLE(TarnDocumentClassBase, TarnEventHandlerBase)

TarnDocumentClassBase::TarnDocumentClassBase(const Quor::String& name, const GUID* documentGuid,
                                             const GUID* categoryGuid, DWORD typeWord,
                                             DWORD flags, DWORD creationArgument)
    : m_name(name),
      m_documentGuid(documentGuid),
      m_categoryGuid(categoryGuid),
      m_typeWord(typeWord),
      m_flags(flags) {
  GetTarnEventManager();
  CreateHostPart(creationArgument);
}

TarnDocumentClassBase::~TarnDocumentClassBase() {
  m_commands.Clear();
  m_innerCommands = nullptr;
  m_inner.Clear();
  if (ITarnEventManager* manager = GetTarnEventManager()) {
    manager->RemoveObserver(static_cast<IObserver*>(this));
  }
}

void TarnDocumentClassBase::CreateHostPart(DWORD creationArgument) {
  ITarnClassRegistry* registry = GetTarnClassRegistry();
  if (!registry) return;
  Quor::ComPtr<IPendrelDocumentClassFactory> factory;
  registry->CreateObject(kTarnTypeDocumentClassObject, IPendrelDocumentClassFactory::iid,
                         Quor::ComPtrOut<IPendrelDocumentClassFactory>::Bind(factory));
  if (!factory) return;
  factory->CreateInner(static_cast<ICustomDocClass*>(this), creationArgument,
                       Quor::ComPtrOut<IUnknown>::Bind(m_inner));
  if (!m_inner) return;
  // The aggregated part counts on this object: hold ourselves while it answers (the object is
  // still being made: the count only goes up and down again), and keep its command face
  // without the reference the query took.
  ++m_refCount;
  ITarnCommandHandler* commands = nullptr;
  if (SUCCEEDED(m_inner->QueryInterface(ITarnCommandHandler::iid,
                                        reinterpret_cast<void**>(&commands))) &&
      commands) {
    m_innerCommands = commands;
    commands->Release();
  }
  --m_refCount;
}

HRESULT TarnDocumentClassBase::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid || iid == ITarnClassObject::iid || iid == ICustomDocClass::iid) {
    *object = static_cast<ICustomDocClass*>(this);
  } else if (iid == ITarnCommandHandler::iid) {
    *object = static_cast<ITarnCommandHandler*>(this);
  } else if (iid == IMessageHandler::iid) {
    *object = static_cast<IMessageHandler*>(this);
  } else if (iid == IObserver::iid) {
    *object = static_cast<IObserver*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG TarnDocumentClassBase::AddRef() { return InternalAddRef(); }

ULONG TarnDocumentClassBase::Release() {
  const ULONG count = InternalRelease();
  if (count == 0) delete this;
  return count;
}

HRESULT TarnDocumentClassBase::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = m_typeWord;
  return S_OK;
}

HRESULT TarnDocumentClassBase::GetCategoryId(GUID* category) {
  if (!category) return E_POINTER;
  *category = m_categoryGuid ? *m_categoryGuid : GUID{};
  return S_OK;
}

HRESULT TarnDocumentClassBase::GetClassName(IQuorString** name) {
  if (!name) return E_POINTER;
  *name = m_name.IsEmpty() ? nullptr : m_name.GetInterface();
  return S_OK;
}

HRESULT TarnDocumentClassBase::IsCategory(REFGUID category) {
  if (!m_categoryGuid) return S_FALSE;
  return &category == m_categoryGuid || category == *m_categoryGuid ? S_OK : S_FALSE;
}

HRESULT TarnDocumentClassBase::GetName(BSTR* name) {
  if (!name) return S_OK;
  SysFreeString(*name);
  *name = nullptr;
  if (!m_name.IsEmpty()) *name = SysAllocStringLen(m_name.c_str(), m_name.Length());
  return S_OK;
}

HRESULT TarnDocumentClassBase::GetFlags(DWORD* flags) {
  if (!flags) return E_POINTER;
  *flags = m_flags;
  return S_OK;
}

HRESULT TarnDocumentClassBase::GetDocumentGuid(const GUID** guid) {
  if (!guid) return E_POINTER;
  *guid = m_documentGuid;
  return S_OK;
}

HRESULT TarnDocumentClassBase::Initialise(DWORD argument) {
  ITarnCommandHandler* handler = nullptr;
  if (SUCCEEDED(QueryInterface(ITarnCommandHandler::iid, reinterpret_cast<void**>(&handler))) &&
      handler) {
    RegisterCommands(handler, argument);
    handler->Release();
  }
  return S_OK;
}

LONG TarnDocumentClassBase::OnCommand(DWORD id) {
  if (m_innerCommands && m_innerCommands->OnCommand(id) == S_OK) return S_OK;
  return TarnEventHandlerT<1>::OnCommand(id);
}

LONG TarnDocumentClassBase::OnCommandEnable(DWORD id, ITarnCommandState* state) {
  if (m_innerCommands && m_innerCommands->OnCommandEnable(id, state) == S_OK) return S_OK;
  return TarnEventHandlerT<1>::OnCommandEnable(id, state);
}

LONG TarnDocumentClassBase::OnCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b) {
  if (m_innerCommands && m_innerCommands->OnCommandNotify(id, kind, a, b) == S_OK) return S_OK;
  return TarnEventHandlerT<1>::OnCommandNotify(id, kind, a, b);
}
