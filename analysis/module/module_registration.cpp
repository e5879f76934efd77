#include "analysis/module/module_registration.h"

#include <mutex>

#include "analysis/detection/enumerator_classes.h"
#include "analysis/document/document_class.h"
#include "analysis/export/rr_export_maker.h"
#include "analysis/messages/document_messages.h"
#include "TestSuite/UnitTestHelperLib/rhyth_test_fiducial_enum.h"
#include "analysis/views/beat_mark_draw_class.h"
#include "analysis/views/view_classes.h"
#include "core/com_ptr.h"
#include "hostframework/class_object_list.h"
#include "hostframework/host_services.h"
#include "hostframework/messages/message_class_list.h"

namespace Rhyth {

namespace {

// Registers one class object made for the host; the host's answer, or E_OUTOFMEMORY when
// the object could not be made.
HRESULT Register(ITarnClassObject* classObject) {
  if (!classObject) return E_OUTOFMEMORY;
  ITarnClassRegistry* registry = GetTarnClassRegistry();
  return registry ? registry->RegisterClassObject(classObject) : E_FAIL;
}

// Made with one reference, registered, and left to the host.
template <class Make>
HRESULT RegisterNew(Make make) {
  ITarnClassObject* classObject = nullptr;
  try {
    classObject = make();
  } catch (...) {
    classObject = nullptr;
  }
  const HRESULT hr = Register(classObject);
  if (classObject) classObject->Release();
  return hr;
}

// The enumerator classes live for the process: they count no references. Each is made once,
// whatever becomes of the registration.
HRESULT RegisterEnumeratorClasses(HRESULT& failure) {
  static auto* fiducial = new FiducialEnumClass(FiducialEnumDescriptor());
  static auto* selector = new SelectorEnumClass(SelectorEnumDescriptor());
  for (ITarnClassObject* classObject : {static_cast<ITarnClassObject*>(fiducial),
                                        static_cast<ITarnClassObject*>(selector)}) {
    const HRESULT hr = Register(classObject);
    if (FAILED(hr) && SUCCEEDED(failure)) failure = hr;
  }
  return failure;
}

void RegisterSelfTest() {
  ITarnUnitTestRegistry* registry = GetUnitTestRegistry();
  if (!registry) return;
  // The registry keeps the one reference that lasts: the module keeps none.
  Quor::ComPtr<Rhyth_TestFiducialEnum> test;
  try {
    test = Quor::ComPtr<Rhyth_TestFiducialEnum>(new Rhyth_TestFiducialEnum());
  } catch (...) {
    return;
  }
  registry->RegisterTest(test.Get());
}

void RegisterEverything(HRESULT& failure) {
  RegisterClassObjects();
  (void)DocumentMessageClasses();
  RegisterMessageClasses();

  HRESULT hr = RegisterNew([] { return static_cast<ITarnClassObject*>(NewDocumentClass()); });
  if (FAILED(hr)) failure = hr;
  RegisterEnumeratorClasses(failure);
  RegisterNew([] { return NewBeatMarkDrawClass(); });
  for (DWORD n = 0; n < kViewClassCount; ++n) {
    RegisterNew([n] { return static_cast<ITarnClassObject*>(NewViewClass(n)); });
  }
  // Registered directly, never linked onto the static list: the list was walked above.
  if (ITarnClassObject* rrExport = NewRRIntervalSaveClass()) {
    Register(rrExport);
    rrExport->Release();
  }
  RegisterSelfTest();
}

}  // namespace

HRESULT RegisterModule(IUnknown* host) {
  if (!host) return E_FAIL;
  Quor::ComPtr<ITarnHostApp> application;
  // The out adaptor fills the pointer when the call's statement ends.
  const HRESULT asked =
      host->QueryInterface(ITarnHostApp::iid, Quor::ComPtrOut<ITarnHostApp>::Bind(application));
  if (FAILED(asked) || !application) return E_FAIL;
  static std::mutex mutex;
  static bool registered = false;
  std::lock_guard lock(mutex);
  // A second set of class objects would reach the host beside the first, and the walk of the
  // static list would hand it the enumerator classes linked since.
  if (registered) return S_FALSE;
  registered = true;
  HRESULT failure = S_OK;
  try {
    RegisterEverything(failure);
  } catch (...) {
    return E_FAIL;
  }
  return failure;
}

}  // namespace Rhyth
