// The stand-in host's colour service of event marks: bound to one event type, it finds the
// class object registered for that type in the class registry and asks its draw class for the
// colour of each mark. Made through the class registry (kTarnTypeEventColourService); the caller
// owns it. Calls are logged.
#pragma once

#include "host/framework/held_reference.h"
#include "platform/pendrel/event_colours.h"
#include "platform/pendrel/event_draw_class.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class EventColourService final : public SimpleUnknownImp1<IPendrelEventColours, 0> {
 public:
  HRESULT SetEventType(DWORD type) override;
  HRESULT GetEventColour(const void* event, COLORREF* colour) override;

 private:
  Tarn::HeldReference<IPODEventDrawClass> m_drawClass;
};

// The class registry's maker of the service.
HRESULT MakeEventColourService(DWORD type, REFIID iid, void** object);

}  // namespace PendrelHost
