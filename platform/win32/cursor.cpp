#include "platform/win32/cursor.h"

#include <mutex>

struct HCURSOR__ {
  WORD id;
};

namespace {

HCURSOR__ arrowCursor{32512};
HCURSOR__ waitCursor{32514};
HCURSOR__ handCursor{32649};
HCURSOR__ sizeAllCursor{32646};

struct CursorState {
  std::mutex mutex;
  HCURSOR shape = &arrowCursor;
  POINT position{0, 0};
};

CursorState& State() {
  static CursorState state;
  return state;
}

}  // namespace

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  if (instance || !IS_INTRESOURCE(name)) return nullptr;
  switch (reinterpret_cast<ULONG_PTR>(name)) {
    case 32512: return &arrowCursor;
    case 32514: return &waitCursor;
    case 32649: return &handCursor;
    case 32646: return &sizeAllCursor;
    default: return nullptr;
  }
}

HCURSOR SetCursor(HCURSOR cursor) {
  CursorState& state = State();
  std::lock_guard lock(state.mutex);
  HCURSOR previous = state.shape;
  state.shape = cursor;
  return previous;
}

HCURSOR GetCursor() {
  CursorState& state = State();
  std::lock_guard lock(state.mutex);
  return state.shape;
}

BOOL GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  CursorState& state = State();
  std::lock_guard lock(state.mutex);
  *point = state.position;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  CursorState& state = State();
  std::lock_guard lock(state.mutex);
  state.position = {x, y};
  return TRUE;
}
