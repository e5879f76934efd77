// The host's main window: a hidden top-level window titled "Pendrel" that stands where the
// application's frame would be, so that modules have a window to put their message boxes over.
// The object makes the window on the calling thread, makes it the application's main window
// for as long as it lives, and destroys it when it goes. A command-line session owns one.
#pragma once

#include "platform/win32/types.h"

namespace PendrelHost {

class HostMainWindow {
 public:
  HostMainWindow();
  ~HostMainWindow();
  HostMainWindow(const HostMainWindow&) = delete;
  HostMainWindow& operator=(const HostMainWindow&) = delete;

  HWND Handle() const { return m_window; }

 private:
  HWND m_window;
};

}  // namespace PendrelHost
