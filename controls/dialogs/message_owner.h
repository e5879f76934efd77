// The owner of a message box that a dialog or field shows over the application: the popup of
// the application's main window that last had the user's attention, else the main window.
#pragma once

#include "platform/win32/types.h"

namespace QuorControls {

// Null when the application has no main window (the host runs without windows).
HWND LastActivePopupOfMainWindow();

}  // namespace QuorControls
