// The display settings a trace display applies: a settings object answers a value for each
// channel it shows, and, through its optional display face, the background the traces are drawn
// on. The host owns the settings object; a trace display reads it while applying it.
#pragma once

#include "platform/win32/gdi.h"
#include "platform/win32/unknown.h"

struct IPendrelTraceSettings : IUnknown {
  PLATFORM_INTERFACE_ID("8c2e5f14-93a7-4b06-b1d8-6e4a0c7f2953");
  using Base = IUnknown;
  // The value the settings keep for a host channel.
  virtual HRESULT GetChannelValue(LONG channel, DWORD* value) = 0;

 protected:
  ~IPendrelTraceSettings() = default;
};

struct IPendrelTraceDisplaySettings : IUnknown {
  PLATFORM_INTERFACE_ID("27f0b9d3-5e61-4a8c-9c34-d1b86e2a0f75");
  using Base = IUnknown;
  virtual HRESULT GetBackgroundColour(COLORREF* colour) = 0;

 protected:
  ~IPendrelTraceDisplaySettings() = default;
};
