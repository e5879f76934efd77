// The dots per inch a window is drawn at: its monitor's effective resolution, asked of the
// display scaling library bound at run time, or the system's resolution without a window or
// without the library.
#pragma once

#include "platform/win32/window.h"

struct WindowDpi {
  int x;
  int y;
};

WindowDpi GetWindowDpi(HWND window);
