#include "hostframework/host_preferences.h"

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "hostframework/host_services.h"

namespace {

const Quor::String& VisiblePreferenceKey() {
  static const Quor::String key(u"quor\\application\\visible");
  return key;
}

}  // namespace

bool GetTarnHostBoolPreference() {
  // Asked of the host once; the settings object is held until the module unloads.
  static const Quor::ComPtr<ITarnApplicationSettings> settings = [] {
    Quor::ComPtr<ITarnApplicationSettings> fetched;
    if (ITarnHostApp* app = GetTarnHostApp()) {
      app->GetApplicationSettings(Quor::ComPtrOut<ITarnApplicationSettings>::Bind(fetched));
    }
    return fetched;
  }();
  if (!settings) return true;
  IQuorString* key = VisiblePreferenceKey().GetInterface();
  BOOL visible = TRUE;
  settings->GetBoolValue(key, TRUE, &visible);
  key->Release();
  return visible != FALSE;
}
