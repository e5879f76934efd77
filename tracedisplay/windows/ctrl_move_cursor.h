// The move cursor of the data windows: while the Ctrl key is held and the mouse is over any data
// window of the process, the four-way move cursor shows; releasing Ctrl brings back the cursor
// it replaced. The state is process-wide: the first data window to register subscribes to the
// platform's key-state changes, the last to unregister unsubscribes.
#pragma once

namespace PendrelDraw {

class CtrlMoveCursor {
 public:
  static void RegisterWindow();
  static void UnregisterWindow();
  // Set while the mouse moves over a data window, cleared when it leaves one.
  static void SetMouseOver(bool over);
  static bool IsMouseOver();
};

}  // namespace PendrelDraw
