#include "tracedisplay/panes/scale_factory_access.h"

#include <mutex>

#include "hostframework/host_services.h"

namespace PendrelDraw {

IPendrelScaleFactory* GetScaleFactory() {
  static std::mutex mutex;
  static IPendrelScaleFactory* factory = nullptr;
  std::lock_guard lock(mutex);
  if (!factory) {
    if (ITarnClassRegistry* registry = GetTarnClassRegistry()) {
      IPendrelScaleFactory* made = nullptr;
      if (SUCCEEDED(registry->CreateObject(kTarnTypeScaleFactory, IPendrelScaleFactory::iid,
                                           reinterpret_cast<void**>(&made))) &&
          made) {
        // The host keeps its factory alive; the module holds no reference of its own.
        made->Release();
        factory = made;
      }
    }
  }
  return factory;
}

}  // namespace PendrelDraw
