// The host's redraw of a data document's displays, which a module asks for after it changed
// what the displays show of its results (limits it draws on channels) outside a data change.
// A data document answers IPendrelDataRedraw.
#pragma once

#include "platform/win32/unknown.h"

struct IPendrelDataRedraw : IUnknown {
  PLATFORM_INTERFACE_ID("3b9e6c1f-5a27-4d84-8f0e-b26c4d7a1e95");
  using Base = IUnknown;
  // `what` 0: every display of the document.
  virtual HRESULT Redraw(DWORD what) = 0;

 protected:
  ~IPendrelDataRedraw() = default;
};
