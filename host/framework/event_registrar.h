// The registrar that an observer fills while it is being attached: it collects the event ids
// the observer subscribes to.
#pragma once

#include <mutex>
#include <vector>

#include "platform/pendrel/events.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class EventRegistrar final : public SimpleUnknownImp1<ITarnEventRegistrar, 1> {
 public:
  HRESULT Subscribe(IObserver* observer, DWORD eventId, DWORD flags) override;

  std::vector<DWORD> EventIds();

 private:
  std::mutex m_mutex;
  std::vector<DWORD> m_eventIds;
};

}  // namespace Tarn
