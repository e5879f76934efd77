#include "host/app/host_start.h"

#include <mutex>

#include "host/app/host_application.h"
#include "host/framework/dll_get_class_object.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/win32/com_runtime.h"

namespace PendrelHost {

namespace {

struct Registrations {
  std::mutex mutex;
  DWORD framework = 0;
  DWORD application = 0;
};

Registrations& TheRegistrations() {
  static Registrations registrations;
  return registrations;
}

HRESULT Register(REFCLSID clsid, IUnknown* object, DWORD* cookie) {
  return CoRegisterClassObject(clsid, object, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, cookie);
}

HRESULT RegisterFramework(DWORD* cookie) {
  IUnknown* framework = nullptr;
  const HRESULT hr = DllGetClassObject(CLSID_TarnFrameWork, IID_IUnknown,
                                       reinterpret_cast<void**>(&framework));
  if (FAILED(hr)) return hr;
  Tarn::HeldReference<IUnknown> held(framework);
  return Register(CLSID_TarnFrameWork, framework, cookie);
}

void Revoke(DWORD& cookie) {
  if (cookie) CoRevokeClassObject(cookie);
  cookie = 0;
}

}  // namespace

HRESULT StartHost() {
  Registrations& registrations = TheRegistrations();
  std::lock_guard lock(registrations.mutex);
  if (registrations.framework) return S_FALSE;
  HRESULT hr = RegisterFramework(&registrations.framework);
  if (FAILED(hr)) return hr;
  hr = Register(CLSID_TarnHostApp, static_cast<ITarnHostApp*>(&HostApplication::Instance()),
                &registrations.application);
  if (FAILED(hr)) Revoke(registrations.framework);
  return hr;
}

void StopHost() {
  Registrations& registrations = TheRegistrations();
  std::lock_guard lock(registrations.mutex);
  Revoke(registrations.application);
  Revoke(registrations.framework);
}

}  // namespace PendrelHost
