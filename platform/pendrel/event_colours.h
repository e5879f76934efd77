// The host's colours of event marks. A trace display asks the class registry for a colour
// service (type kTarnTypeEventColourService) and binds it to one event type; the service then
// answers each event's mark colour from the draw class a module registered for that type. The
// caller owns the service it made.
#pragma once

#include "platform/win32/gdi.h"
#include "platform/win32/unknown.h"

constexpr DWORD kTarnTypeEventColourService = 0x80000030;

struct IPendrelEventColours : IUnknown {
  PLATFORM_INTERFACE_ID("3b8e61d4-0f27-4c95-a6d3-58c1e9a7f240");
  using Base = IUnknown;
  // S_OK when a draw class is registered for the type; S_FALSE when none is (every colour is
  // then unanswered).
  virtual HRESULT SetEventType(DWORD type) = 0;
  // The mark colour of an event record as the event enumerator produced it; S_FALSE, and the
  // colour untouched, when there is no answer.
  virtual HRESULT GetEventColour(const void* event, COLORREF* colour) = 0;

 protected:
  ~IPendrelEventColours() = default;
};
