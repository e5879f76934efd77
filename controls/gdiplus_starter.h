// The module's one start-up of GDI+. A GdiplusStarter starts GDI+ when it is made and shuts it
// down when it is destroyed. The module keeps at most one, in a process-wide owning slot that
// the first drawer needing GDI+ fills (a button gadget, or a render of printable SVG when
// nothing runs GDI+ yet) and that empties when the module unloads. The slot is used from the
// user-interface thread only.
#pragma once

#include "platform/gdiplus/startup.h"

class GdiplusStarter {
 public:
  GdiplusStarter();
  virtual ~GdiplusStarter();
  GdiplusStarter(const GdiplusStarter&) = delete;
  GdiplusStarter& operator=(const GdiplusStarter&) = delete;

 private:
  Gdiplus::GdiplusStartupInput m_input;  // version 1, no debug callback, nothing suppressed
  ULONG_PTR m_token = 0;
};

// Makes the module's starter unless it is already there.
void EnsureGdiplusStarter();
// Destroys the module's starter, which shuts GDI+ down; the module's unload does this too.
void ReleaseGdiplusStarter();
