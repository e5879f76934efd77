#include "tracedisplay/windows/ctrl_move_cursor.h"

#include <mutex>

#include "platform/win32/cursor.h"
#include "platform/win32/input.h"

namespace PendrelDraw {

namespace {

struct MoveCursorState {
  std::mutex mutex;
  int windows = 0;
  int subscription = 0;
  bool mouseOver = false;
  HCURSOR saved = nullptr;
};

MoveCursorState& State() {
  static auto* state = new MoveCursorState;
  return *state;
}

void OnKeyStateChanged(int, bool) {
  MoveCursorState& state = State();
  std::lock_guard lock(state.mutex);
  if (!state.mouseOver) return;
  const HCURSOR moveCursor = LoadCursorW(nullptr, IDC_SIZEALL);
  const bool ctrl = GetAsyncKeyState(VK_CONTROL) != 0;
  if (ctrl && GetCursor() != moveCursor) {
    state.saved = GetCursor();
    SetCursor(moveCursor);
  } else if (!ctrl && GetCursor() == moveCursor) {
    SetCursor(state.saved);
  }
}

}  // namespace

void CtrlMoveCursor::RegisterWindow() {
  MoveCursorState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.windows++ == 0) state.subscription = win32::SubscribeKeyState(OnKeyStateChanged);
}

void CtrlMoveCursor::UnregisterWindow() {
  MoveCursorState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.windows == 0 || --state.windows > 0) return;
  win32::UnsubscribeKeyState(state.subscription);
  state.subscription = 0;
  state.mouseOver = false;
}

void CtrlMoveCursor::SetMouseOver(bool over) {
  MoveCursorState& state = State();
  std::lock_guard lock(state.mutex);
  state.mouseOver = over;
}

bool CtrlMoveCursor::IsMouseOver() {
  MoveCursorState& state = State();
  std::lock_guard lock(state.mutex);
  return state.mouseOver;
}

}  // namespace PendrelDraw
