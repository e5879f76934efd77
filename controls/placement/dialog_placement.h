// Placing a dialog over the application's main window, at the cursor or at a given point, and
// the rectangle of a dialog's placeholder control, where a dialog puts a pane it makes itself.
#pragma once

#include "platform/win32/window.h"

// How PlaceDialogNearAnchor places the window.
enum PlaceDialogMode {
  kPlaceOverMainWindow = 0,  // centred over the main window (the primary work area without one)
  kPlaceAtCursor = 1,        // top-left corner at the cursor
  kPlaceAtPoint = 2,         // top-left corner at the point given
};

// Places the window, then keeps it on the work area (the primary one when `primary` is set).
void PlaceDialogNearAnchor(HWND window, int mode, const POINT* point, bool primary);

// The rectangle of control 511 of a dialog, in the dialog's client coordinates.
struct PlaceholderRect {
  explicit PlaceholderRect(HWND dialog);
  HWND dialog;
  RECT rect{};
  int id = 511;
};
