#include "host/framework/event_registrar.h"

#include <algorithm>

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace Tarn {

// The registrar serves one attachment, so the subscription belongs to the observer being
// attached whichever face of it the observer names.
HRESULT EventRegistrar::Subscribe(IObserver* observer, DWORD eventId, DWORD flags) {
  return Guarded([&] {
    RecordCall("EventRegistrar", "Subscribe",
               "observer=" + Presence(observer) + ", event=" + HexWord(eventId) + ", flags=" + HexWord(flags));
    std::lock_guard lock(m_mutex);
    if (std::find(m_eventIds.begin(), m_eventIds.end(), eventId) == m_eventIds.end()) {
      m_eventIds.push_back(eventId);
    }
    return S_OK;
  });
}

std::vector<DWORD> EventRegistrar::EventIds() {
  std::lock_guard lock(m_mutex);
  return m_eventIds;
}

}  // namespace Tarn
