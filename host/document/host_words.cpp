#include "host/document/host_words.h"

#include "host/framework/dll_get_class_object.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/framework_services.h"

namespace PendrelHost {

namespace {

template <class I>
I* FrameworkFace() {
  void* face = nullptr;
  if (FAILED(DllGetClassObject(CLSID_TarnFrameWork, I::iid, &face)) || !face) return nullptr;
  // The framework object keeps the process's own reference for ever.
  static_cast<I*>(face)->Release();
  return static_cast<I*>(face);
}

}  // namespace

DWORD HostWord(REFGUID guid, DWORD n) {
  WORD id = 0;
  if (ITarnIdRegistry* registry = FrameworkFace<ITarnIdRegistry>()) registry->GetGuidId(guid, &id);
  return (DWORD(id) << 16) | n;
}

ITarnEventManager* EventManager() { return FrameworkFace<ITarnEventManager>(); }

}  // namespace PendrelHost
