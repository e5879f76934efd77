// Shows the wait cursor for the life of the object: a full analysis of a long recording keeps
// the user waiting.
#pragma once

#include "platform/win32/cursor.h"

namespace Rhyth {

class WaitCursor {
 public:
  WaitCursor() : m_previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitCursor() {
    SetCursor(m_previous);
    // Moving the pointer to where it is makes the system draw the restored shape now rather
    // than at the next mouse move.
    POINT position;
    if (GetCursorPos(&position)) SetCursorPos(position.x, position.y);
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR m_previous;
};

}  // namespace Rhyth
