// A sweep overlay: a source that shows a record's data in sweeps answers it beside its data
// view (by QueryInterface), and tells the drawers which ticks of a record the pixels they are
// asked to draw stand for.
#pragma once

#include "platform/win32/unknown.h"

struct IPendrelSweepOverlay : IUnknown {
  PLATFORM_INTERFACE_ID("c6f20a83-7d51-4e3b-9b08-e4a2d15f6c97");
  using Base = IUnknown;
  // The first tick and the end tick of `record` that the pixels [first, end) show.
  virtual HRESULT GetTickRange(LONG record, LONGLONG first, LONGLONG end, LONG* startTick,
                               LONG* endTick) = 0;

 protected:
  ~IPendrelSweepOverlay() = default;
};
