#include "host/framework/host_class_registry.h"

#include <algorithm>

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_object_makers.h"
#include "host/framework/host_objects.h"
#include "platform/pendrel/documents.h"
#include "platform/pendrel/view_classes.h"

namespace Tarn {

namespace {

constexpr const char* kService = "ClassRegistry";

// Initialises the class object when it is a class of kind C.
template <class C>
void Initialise(ITarnClassObject* classObject, const char* call, DWORD type) {
  C* typed = nullptr;
  if (FAILED(classObject->QueryInterface(C::iid, reinterpret_cast<void**>(&typed)))) return;
  HeldReference<C> held(typed);
  RecordCall(kService, call, "type=" + HexWord(type));
  typed->Initialise(0);
}

}  // namespace

HRESULT HostClassRegistry::RegisterClassObject(ITarnClassObject* classObject) {
  return Guarded([&] {
    if (!classObject) {
      RecordCall(kService, "RegisterClassObject", "classObject=null");
      return E_POINTER;
    }
    DWORD type = 0;
    const HRESULT typeResult = classObject->GetTypeId(&type);
    RecordCall(kService, "RegisterClassObject",
               SUCCEEDED(typeResult) ? "type=" + HexWord(type) : "type=unknown");
    // A class that cannot name its type could never be found.
    if (FAILED(typeResult)) return typeResult;
    const HRESULT added = Add(classObject, type);
    // Document and view classes are initialised as they arrive: they register their menus
    // and commands and fetch their command services.
    if (added == S_OK) {
      Initialise<ICustomDocClass>(classObject, "InitialiseDocumentClass", type);
      Initialise<IDocViewClass>(classObject, "InitialiseViewClass", type);
    }
    return added;
  });
}

HRESULT HostClassRegistry::FindClassObject(DWORD type, ITarnClassObject** classObject) {
  return Guarded([&] {
    RecordCall(kService, "FindClassObject", "type=" + HexWord(type));
    if (!classObject) return E_POINTER;
    *classObject = nullptr;
    std::lock_guard lock(m_mutex);
    for (const Registration& registration : m_registrations) {
      if (registration.type == type) {
        *classObject = Hold(registration.classObject.get()).release();
        return S_OK;
      }
    }
    return REGDB_E_CLASSNOTREG;
  });
}

HRESULT HostClassRegistry::CreateAggregatedObject(IUnknown* outer, DWORD type, REFIID iid,
                                                  void** object) {
  return Guarded([&] {
    RecordCall(kService, "CreateAggregatedObject",
               "outer=" + Presence(outer) + ", type=" + HexWord(type));
    if (!object) return E_POINTER;
    *object = nullptr;
    // The host's services are process-wide: none of them can live inside another object.
    if (outer) {
      return HostObjectOfType(type) || MakersAnswer(type) ? CLASS_E_NOAGGREGATION : REGDB_E_CLASSNOTREG;
    }
    return MakeHostObject(type, iid, object);
  });
}

HRESULT HostClassRegistry::RevokeClassObject(ITarnClassObject* classObject) {
  return Guarded([&] {
    RecordCall(kService, "RevokeClassObject", "classObject=" + Presence(classObject));
    if (!classObject) return E_POINTER;
    HeldReference<ITarnClassObject> revoked;
    {
      std::lock_guard lock(m_mutex);
      auto it = std::find_if(m_registrations.begin(), m_registrations.end(),
                             [&](const Registration& r) { return r.classObject.get() == classObject; });
      if (it == m_registrations.end()) return E_INVALIDARG;
      revoked = std::move(it->classObject);
      m_registrations.erase(it);
    }
    // Released outside the lock: the last release may run the module's destructor.
    return S_OK;
  });
}

HRESULT HostClassRegistry::CreateObject(DWORD type, REFIID iid, void** object) {
  return Guarded([&] {
    RecordCall(kService, "CreateObject", "type=" + HexWord(type));
    if (!object) return E_POINTER;
    *object = nullptr;
    return MakeHostObject(type, iid, object);
  });
}

void HostClassRegistry::Reset() {
  std::vector<Registration> dropped;
  {
    std::lock_guard lock(m_mutex);
    dropped.swap(m_registrations);
  }
}

std::vector<HeldReference<ITarnClassObject>> HostClassRegistry::ClassObjects() {
  std::lock_guard lock(m_mutex);
  std::vector<HeldReference<ITarnClassObject>> objects;
  for (const Registration& registration : m_registrations) {
    objects.push_back(Hold(registration.classObject.get()));
  }
  return objects;
}

HRESULT HostClassRegistry::Add(ITarnClassObject* classObject, DWORD type) {
  std::lock_guard lock(m_mutex);
  for (const Registration& registration : m_registrations) {
    if (registration.classObject.get() == classObject) return S_FALSE;
    // One class per type word, or finding by type would depend on registration order.
    if (registration.type == type) return E_INVALIDARG;
  }
  m_registrations.push_back({type, Hold(classObject)});
  return S_OK;
}

HRESULT HostClassRegistry::MakeHostObject(DWORD type, REFIID iid, void** object) {
  if (IUnknown* hostObject = HostObjectOfType(type)) return hostObject->QueryInterface(iid, object);
  return MakeObjectOfMakers(type, iid, object);
}

}  // namespace Tarn
