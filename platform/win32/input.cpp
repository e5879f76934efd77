#include "platform/win32/input.h"

#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "platform/win32/cursor.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/monitors.h"
#include "platform/win32/window_table.h"

namespace {

constexpr UINT kDoubleClickMs = 500;

struct LastPress {
  HWND window = nullptr;
  win32::MouseButton button = win32::MouseButton::Left;
  POINT point{};
  ULONGLONG timeMs = 0;
  bool valid = false;
};

struct InputState {
  std::mutex mutex;
  std::function<SHORT(int)> source;
  std::set<int> pressed;
  HWND tracked = nullptr;
  HWND lastUnderPointer = nullptr;
  LastPress lastPress;
  std::map<int, win32::KeyStateListener> listeners;
  int nextListener = 1;
};

InputState& State() {
  static InputState* state = new InputState;
  return *state;
}

// The window that takes mouse input at a screen point: a capture window of its thread first.
HWND MouseTarget(POINT screenPoint) {
  const HWND capture = GetCapture();
  return capture ? capture : WindowFromPoint(screenPoint);
}

WPARAM ModifierBits() {
  WPARAM bits = 0;
  if (GetKeyState(VK_LBUTTON) & 0x8000) bits |= MK_LBUTTON;
  if (GetKeyState(VK_RBUTTON) & 0x8000) bits |= MK_RBUTTON;
  if (GetKeyState(VK_SHIFT) & 0x8000) bits |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) & 0x8000) bits |= MK_CONTROL;
  return bits;
}

LPARAM ClientPoint(HWND window, POINT screenPoint) {
  POINT client = screenPoint;
  ScreenToClient(window, &client);
  return MAKELPARAM(client.x, client.y);
}

bool HasDoubleClicks(HWND window) {
  std::lock_guard lock(win32::detail::TableMutex());
  const auto* entry = win32::detail::FindWindowLocked(window);
  return entry && (entry->windowClass->style & CS_DBLCLKS);
}

bool IsDoubleClick(const LastPress& last, HWND window, win32::MouseButton button, POINT point,
                   ULONGLONG now) {
  const int halfWidth = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
  const int halfHeight = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  return last.valid && last.window == window && last.button == button &&
         now - last.timeMs <= GetDoubleClickTime() && std::abs(point.x - last.point.x) <= halfWidth &&
         std::abs(point.y - last.point.y) <= halfHeight;
}

}  // namespace

SHORT GetKeyState(int virtualKey) {
  InputState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.source) return state.source(virtualKey);
  return state.pressed.count(virtualKey) ? SHORT(0x8000) : 0;
}

SHORT GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }

UINT GetDoubleClickTime() { return kDoubleClickMs; }

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
  if (!track || track->cbSize < sizeof(TRACKMOUSEEVENT)) return FALSE;
  InputState& state = State();
  std::lock_guard lock(state.mutex);
  if (track->dwFlags & TME_CANCEL) {
    if (state.tracked == track->hwndTrack) state.tracked = nullptr;
    return TRUE;
  }
  if (!(track->dwFlags & TME_LEAVE)) return TRUE;
  if (!IsWindow(track->hwndTrack)) return FALSE;
  state.tracked = track->hwndTrack;
  // Asked while the pointer is already elsewhere: the leave comes at once, as on Windows.
  if (state.lastUnderPointer != track->hwndTrack) {
    state.tracked = nullptr;
    PostMessageW(track->hwndTrack, WM_MOUSELEAVE, 0, 0);
  }
  return TRUE;
}

namespace win32 {

void SetKeyStateSource(std::function<SHORT(int)> source) {
  InputState& state = State();
  std::lock_guard lock(state.mutex);
  state.source = std::move(source);
}

int SubscribeKeyState(KeyStateListener listener) {
  InputState& state = State();
  std::lock_guard lock(state.mutex);
  const int token = state.nextListener++;
  state.listeners.emplace(token, std::move(listener));
  return token;
}

void UnsubscribeKeyState(int token) {
  InputState& state = State();
  std::lock_guard lock(state.mutex);
  state.listeners.erase(token);
}

std::size_t KeyStateListenerCount() {
  InputState& state = State();
  std::lock_guard lock(state.mutex);
  return state.listeners.size();
}

HWND SimulatePointerMove(POINT screenPoint) {
  SetCursorPos(screenPoint.x, screenPoint.y);
  const HWND target = MouseTarget(screenPoint);
  HWND left = nullptr;
  {
    InputState& state = State();
    std::lock_guard lock(state.mutex);
    state.lastUnderPointer = target;
    if (state.tracked && state.tracked != target) {
      left = state.tracked;
      state.tracked = nullptr;
    }
  }
  if (left) PostMessageW(left, WM_MOUSELEAVE, 0, 0);
  if (!target) return nullptr;
  const LRESULT hit = SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(screenPoint.x, screenPoint.y));
  SendMessageW(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(int(hit), WM_MOUSEMOVE));
  PostMessageW(target, WM_MOUSEMOVE, ModifierBits(), ClientPoint(target, screenPoint));
  return target;
}

HWND SimulateButton(MouseButton button, bool down, POINT screenPoint) {
  const HWND target = SimulatePointerMove(screenPoint);
  const int key = button == MouseButton::Left ? VK_LBUTTON : VK_RBUTTON;
  UINT message = button == MouseButton::Left ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP)
                                             : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
  {
    InputState& state = State();
    std::lock_guard lock(state.mutex);
    if (down)
      state.pressed.insert(key);
    else
      state.pressed.erase(key);
    if (down && target) {
      const ULONGLONG now = detail::ClockMilliseconds();
      if (HasDoubleClicks(target) && IsDoubleClick(state.lastPress, target, button, screenPoint, now)) {
        message = button == MouseButton::Left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
        state.lastPress.valid = false;  // a third press starts over
      } else {
        state.lastPress = {target, button, screenPoint, now, true};
      }
    }
  }
  if (target) PostMessageW(target, message, ModifierBits(), ClientPoint(target, screenPoint));
  return target;
}

HWND SimulateClick(MouseButton button, POINT screenPoint) {
  SimulateButton(button, true, screenPoint);
  return SimulateButton(button, false, screenPoint);
}

void SimulateKey(int virtualKey, bool down) {
  std::vector<KeyStateListener> listeners;
  {
    InputState& state = State();
    std::lock_guard lock(state.mutex);
    if (down)
      state.pressed.insert(virtualKey);
    else
      state.pressed.erase(virtualKey);
    for (const auto& [token, listener] : state.listeners) listeners.push_back(listener);
  }
  // Called without the lock: a listener reads the key state.
  for (const KeyStateListener& listener : listeners) listener(virtualKey, down);
  const HWND focus = GetFocus();
  if (!focus) return;
  PostMessageW(focus, down ? WM_KEYDOWN : WM_KEYUP, WPARAM(virtualKey), down ? 1 : LPARAM(0xC0000001));
  const bool printable = (virtualKey >= '0' && virtualKey <= '9') ||
                         (virtualKey >= 'A' && virtualKey <= 'Z') || virtualKey == VK_SPACE;
  if (down && printable) {
    const bool shifted = GetKeyState(VK_SHIFT) & 0x8000;
    const WPARAM character = (virtualKey >= 'A' && virtualKey <= 'Z' && !shifted)
                                 ? WPARAM(virtualKey - 'A' + 'a')
                                 : WPARAM(virtualKey);
    PostMessageW(focus, WM_CHAR, character, 1);
  }
}

void ResetInputSimulator() {
  InputState& state = State();
  std::lock_guard lock(state.mutex);
  state.pressed.clear();
  state.tracked = nullptr;
  state.lastUnderPointer = nullptr;
  state.lastPress = {};
}

}  // namespace win32
