#include "host/app/application_settings.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

namespace {
constexpr const char* kService = "ApplicationSettings";
}

// A value never set answers the caller's default.
HRESULT ApplicationSettings::GetBoolValue(IQuorString* key, BOOL defaultValue, BOOL* value) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetBoolValue",
                     "key=" + Tarn::QuotedText(key) + ", default=" + std::to_string(defaultValue));
    if (!key || !value) return E_POINTER;
    const std::u16string name = Tarn::TextOf(key);
    std::lock_guard lock(m_mutex);
    const auto it = m_values.find(name);
    *value = it != m_values.end() ? it->second : defaultValue;
    return S_OK;
  });
}

HRESULT ApplicationSettings::SetBoolValue(IQuorString* key, BOOL value) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "SetBoolValue",
                     "key=" + Tarn::QuotedText(key) + ", value=" + std::to_string(value));
    if (!key) return E_POINTER;
    std::u16string name = Tarn::TextOf(key);
    std::lock_guard lock(m_mutex);
    m_values[std::move(name)] = value;
    return S_OK;
  });
}

void ApplicationSettings::Clear() {
  std::lock_guard lock(m_mutex);
  m_values.clear();
}

}  // namespace PendrelHost
