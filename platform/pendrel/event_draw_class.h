// How the host draws the marks of one event type: a draw class, registered with the host's class
// registry under the event type word, gives each mark's colour and the text of its tooltip. The
// host hands it the event's record as the event enumerator produced it.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/gdi.h"
#include "platform/win32/unknown.h"

struct IPODEventDrawClass : IUnknown {
  PLATFORM_INTERFACE_ID("652c7534-adff-45cd-939a-e0ec04760fd1");
  using Base = IUnknown;
  // The `host` words carry the host's own drawing context; a draw class need not read them.
  virtual HRESULT GetMarkColour(LONG_PTR host, const void* event, COLORREF* colour) = 0;
  // `text` receives a new reference.
  virtual HRESULT GetMarkText(LONG_PTR host1, LONG_PTR host2, LONG_PTR host3, const void* event,
                              LONG_PTR host4, LONG_PTR host5, IQuorString** text) = 0;

 protected:
  ~IPODEventDrawClass() = default;
};
