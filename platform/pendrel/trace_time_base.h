// The time base of a trace display's data view: how the host shows times (its time display
// mode), which the time axis labels follow. A data view answers it by QueryInterface.
#pragma once

#include "platform/win32/unknown.h"

struct IPendrelTraceTimeBase : IUnknown {
  PLATFORM_INTERFACE_ID("9d4a2c61-e83f-4b17-a5d0-7f16b3c8e425");
  using Base = IUnknown;
  // 1 relative to a reference time, 2 plain seconds, 3 clock time from the record start.
  virtual HRESULT GetTimeDisplayMode(BYTE* mode) = 0;

 protected:
  ~IPendrelTraceTimeBase() = default;
};
