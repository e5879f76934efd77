#include "host/framework/framework_object.h"

#include "host/framework/command_service.h"
#include "host/framework/menu_service.h"
#include "platform/win32/interlocked.h"

namespace Tarn {

FrameworkObject& FrameworkObject::Instance() {
  static auto* framework = new FrameworkObject;
  return *framework;
}

HRESULT FrameworkObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = Face(iid);
  if (!*object) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG FrameworkObject::AddRef() { return ULONG(InterlockedIncrement(&m_refCount)); }

// The count only tells callers whether they balance their references.
ULONG FrameworkObject::Release() { return ULONG(InterlockedDecrement(&m_refCount)); }

void FrameworkObject::Reset() {
  HostClassRegistry::Reset();
  ObjectTracker::Reset();
  MessageClassTable::Reset();
  HostEventManager::Reset();
  MenuService::Instance().Reset();
  CommandService::Instance().Reset();
}

void* FrameworkObject::Face(REFIID iid) {
  if (iid == IUnknown::iid || iid == ITarnClassRegistry::iid) {
    return static_cast<ITarnClassRegistry*>(this);
  }
  if (iid == ITarnFrameworkService::iid) return static_cast<ITarnFrameworkService*>(this);
  if (iid == ITarnMessageService::iid) return static_cast<ITarnMessageService*>(this);
  if (iid == ITarnMessageFactory::iid) return static_cast<ITarnMessageFactory*>(this);
  if (iid == ITarnIdRegistry::iid) return static_cast<ITarnIdRegistry*>(this);
  if (iid == ITarnEventManager::iid) return static_cast<ITarnEventManager*>(this);
  return nullptr;
}

}  // namespace Tarn
