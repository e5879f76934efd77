#include "host/framework/dll_get_class_object.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/framework_object.h"
#include "host/framework/guarded_call.h"
#include "platform/pendrel/framework_ids.h"

extern "C" HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall("Library", "DllGetClassObject", "clsid=" + Tarn::GuidText(clsid));
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_TarnFrameWork) return CLASS_E_CLASSNOTAVAILABLE;
    return Tarn::FrameworkObject::Instance().QueryInterface(iid, out);
  });
}
