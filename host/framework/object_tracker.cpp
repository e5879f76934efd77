#include "host/framework/object_tracker.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace Tarn {

namespace {
constexpr const char* kService = "FrameworkService";
}

HRESULT ObjectTracker::TrackObject(IUnknown* object, DWORD code) {
  return Guarded([&] {
    RecordCall(kService, "TrackObject", "object=" + Presence(object) + ", code=" + HexWord(code));
    if (!object) return E_POINTER;
    std::lock_guard lock(m_mutex);
    m_codes[object] = code;
    return S_OK;
  });
}

HRESULT ObjectTracker::UntrackObject(IUnknown* object) {
  return Guarded([&] {
    RecordCall(kService, "UntrackObject", "object=" + Presence(object));
    std::lock_guard lock(m_mutex);
    return m_codes.erase(object) > 0 ? S_OK : S_FALSE;
  });
}

void ObjectTracker::Reset() {
  std::lock_guard lock(m_mutex);
  m_codes.clear();
}

}  // namespace Tarn
