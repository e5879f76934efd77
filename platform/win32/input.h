// Input: the key state functions, mouse tracking, and a simulator that stands for a person at the
// keyboard and mouse. The simulator turns pointer moves, clicks and key strokes into the
// messages Windows would queue for the window under the pointer (or the capture window, or the
// focus window for keys), synthesises WM_MOUSELEAVE for windows that asked for it, and makes a
// double click of two presses within the double-click time (on the process clock) and distance
// on a window whose class has CS_DBLCLKS.
#pragma once

#include <cstddef>
#include <functional>

#include "platform/win32/window.h"

constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;

// Bit 15 set: the key is down; bit 0: toggled (for lock keys).
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);
UINT GetDoubleClickTime();

constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_CANCEL = 0x80000000;
struct TRACKMOUSEEVENT {
  DWORD cbSize;
  DWORD dwFlags;
  HWND hwndTrack;
  DWORD dwHoverTime;
};
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);

namespace win32 {

// Replaces the key state source (null: the simulator's own pressed keys).
void SetKeyStateSource(std::function<SHORT(int virtualKey)> source);

// Key-state changes: a listener hears every key press and release of the simulator, on the
// thread that made it, after the key state changed. Subscribing gives a token that unsubscribes.
using KeyStateListener = std::function<void(int virtualKey, bool down)>;
int SubscribeKeyState(KeyStateListener listener);
void UnsubscribeKeyState(int token);
std::size_t KeyStateListenerCount();

enum class MouseButton { Left, Right };

// The simulator's pointer moves to a screen point: WM_NCHITTEST is sent to the window under it,
// WM_MOUSEMOVE is posted with client coordinates, and a window that tracked leaving and is no
// longer under the pointer gets one WM_MOUSELEAVE. Returns the window that got the move.
HWND SimulatePointerMove(POINT screenPoint);
// A press or a release at the pointer's position (after moving there).
HWND SimulateButton(MouseButton button, bool down, POINT screenPoint);
// Press and release.
HWND SimulateClick(MouseButton button, POINT screenPoint);
// A key stroke to the calling thread's focus window: WM_KEYDOWN (and WM_CHAR for a printable
// key) on press, WM_KEYUP on release; the key state follows.
void SimulateKey(int virtualKey, bool down);
// Forgets pressed keys, tracking and the last click.
void ResetInputSimulator();

}  // namespace win32
