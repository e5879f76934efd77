#include "platform/win32/com_runtime.h"

#include <mutex>
#include <vector>

namespace {

struct Registration {
  DWORD cookie;
  CLSID clsid;
  IUnknown* object;  // one reference, held until revoked
};

std::mutex& RegistryMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<Registration>& Registrations() {
  static std::vector<Registration> registrations;
  return registrations;
}

thread_local int oleInitializations = 0;

}  // namespace

HRESULT CoGetClassObject(REFCLSID clsid, DWORD, void*, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  IUnknown* object = nullptr;
  {
    std::lock_guard lock(RegistryMutex());
    for (const Registration& r : Registrations()) {
      if (r.clsid == clsid) {
        object = r.object;
        object->AddRef();
        break;
      }
    }
  }
  if (!object) return REGDB_E_CLASSNOTREG;
  const HRESULT hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* object, DWORD, DWORD, DWORD* cookie) {
  if (!object || !cookie) return E_INVALIDARG;
  static DWORD nextCookie = 0;
  object->AddRef();
  std::lock_guard lock(RegistryMutex());
  *cookie = ++nextCookie;
  Registrations().push_back({*cookie, clsid, object});
  return S_OK;
}

HRESULT CoRevokeClassObject(DWORD cookie) {
  IUnknown* object = nullptr;
  {
    std::lock_guard lock(RegistryMutex());
    auto& all = Registrations();
    for (auto it = all.begin(); it != all.end(); ++it) {
      if (it->cookie == cookie) {
        object = it->object;
        all.erase(it);
        break;
      }
    }
  }
  if (!object) return E_INVALIDARG;
  object->Release();
  return S_OK;
}

HRESULT OleInitialize(void*) { return oleInitializations++ == 0 ? S_OK : S_FALSE; }

void OleUninitialize() {
  if (oleInitializations > 0) --oleInitializations;
}
