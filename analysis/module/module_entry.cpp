// The module's entries as the host sees the loaded library: load and unload (which name the
// module's resources and show the pre-release notice), and the one exported function,
// DllRegisterClassObjects, which the host calls once after loading it.
#include "analysis/module/module_registration.h"
#include "hostframework/pre_release_notice.h"
#include "hostframework/this_module.h"

HMODULE RhythResources();

namespace {

// Every resource load of the module goes through the module's own table.
__attribute__((constructor)) void OnModuleLoad() {
  ExtLib::SetThisModule(RhythResources());
  try {
    ShowPreReleaseNotice();
  } catch (...) {
    // A notice the host cannot show must not stop the module from loading.
  }
}

__attribute__((destructor)) void OnModuleUnload() { ExtLib::SetThisModule(nullptr); }

}  // namespace

extern "C" __attribute__((visibility("default"))) HRESULT DllRegisterClassObjects(IUnknown* host) {
  try {
    return Rhyth::RegisterModule(host);
  } catch (...) {
    return E_FAIL;
  }
}
