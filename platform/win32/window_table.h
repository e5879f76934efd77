// The process-wide state behind windows and message queues: the window table, the classes, and
// one queue per thread. Internal to the platform library; every field is guarded by TableMutex(),
// and no window procedure is ever called with it held.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/window.h"

namespace win32::detail {

struct WindowClass {
  std::u16string name;
  UINT style = 0;
  WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  int windowExtraBytes = 0;
  WORD atom = 0;
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<const WindowClass> windowClass;
  WNDPROC procedure = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::u16string text;
  HWND parent = nullptr;  // a child's parent
  HWND owner = nullptr;   // a top-level window's owner
  std::vector<HWND> children;  // topmost first
  RECT rect{};                 // parent client coordinates for a child, else screen coordinates
  RECT normalRect{};           // the rectangle a maximised window returns to
  LONG_PTR id = 0;
  HINSTANCE instance = nullptr;
  LONG_PTR userData = 0;
  std::vector<LONG_PTR> extra;
  DWORD threadId = 0;
  bool destroying = false;
  bool needsPaint = false;
  RECT updateRect{};
};

struct SentCall {
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD senderThread = 0;
  LRESULT result = 0;
  // Read by a sender that spins briefly before it sleeps.
  std::atomic<bool> done = false;
  bool failed = false;
  bool abandoned = false;
  std::condition_variable* senderWake = nullptr;
};

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT elapseMs;
  ULONGLONG dueMs;
  TIMERPROC procedure;
};

struct ThreadQueue {
  DWORD threadId = 0;
  bool alive = true;
  std::condition_variable wake;
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentCall>> inbox;
  std::vector<Timer> timers;
  bool quitRequested = false;
  int quitCode = 0;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  DWORD lastMessageTime = 0;
  // The cross-thread sends being handled, innermost last.
  std::vector<std::shared_ptr<SentCall>> handling;
};

std::mutex& TableMutex();

// The window behind a live handle, or null. Caller holds TableMutex().
Window* FindWindowLocked(HWND handle);
// Every live window, in creation order. Caller holds TableMutex().
std::vector<Window*> AllWindowsLocked();
// Top-level windows, topmost first. Caller holds TableMutex().
std::vector<HWND>& TopLevelOrderLocked();
HWND AllocateWindowLocked(std::unique_ptr<Window> window);
void FreeWindowLocked(HWND handle);

std::shared_ptr<const WindowClass> FindClassLocked(const std::u16string& name);
bool AddClassLocked(std::shared_ptr<WindowClass> windowClass);
bool RemoveClassLocked(const std::u16string& name);

// The calling thread's queue, made on first use; it lives until the thread ends, when the
// thread's windows are dropped and sends still waiting for it fail.
ThreadQueue& CurrentQueueLocked();
// A live thread's queue, or null.
ThreadQueue* QueueOfThreadLocked(DWORD threadId);

// Milliseconds on the process clock.
ULONGLONG ClockMilliseconds();

// Calls a window's procedure on the calling thread (which must own the window); 0 for a window
// that is gone.
LRESULT CallProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Client-area origin of a window in screen coordinates, and its client size. Caller holds
// TableMutex(); the window must be live.
POINT ClientOriginLocked(const Window& window);
RECT WindowScreenRectLocked(const Window& window);
int BorderWidth(DWORD style);

}  // namespace win32::detail
