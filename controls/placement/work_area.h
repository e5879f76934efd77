// Keeping windows on the work area of their monitor, and placing a window where it was last, or
// centred when it was never placed or has changed size since.
#pragma once

#include "platform/win32/window.h"

// Where a window was last placed; all zero until it is placed the first time.
struct WindowPlacementRecord {
  DWORD reserved = 0;
  RECT rect{};
  BOOL hasRect = FALSE;
};

// The work area of the monitor nearest to a rectangle.
RECT GetNearestWorkArea(const RECT& rect);
// Moves (never resizes) a rectangle into the work area of its nearest monitor: up, left, down,
// right in that order, so one larger than the work area ends at the work area's top-left.
void KeepRectInWorkArea(RECT& rect);
// The same, against the primary monitor's work area when `primary` is set.
void KeepRectInWorkAreaEx(RECT& rect, bool primary);
// Restores the window to its remembered rectangle, or centres it on its monitor's work area when
// there is none or the window's size changed; then remembers where it went.
void RestoreOrCentreWindow(WindowPlacementRecord& record, HWND window);
