// A window class whose procedure records every message it gets, for the window and queue tests.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/message_queue.h"
#include "platform/win32/window.h"

namespace win32::testing {

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Messages received on the calling thread, oldest first.
std::vector<Received>& ReceivedMessages();
std::vector<UINT> ReceivedNumbers(HWND window = nullptr);

// A recording class named `name`, registered once per process; `classStyle` only counts for the
// first registration of a name.
LPCWSTR RecordingClass(LPCWSTR name = u"RecordingWindow", UINT classStyle = 0);
HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr, RECT rect = {0, 0, 200, 100},
                LPCWSTR className = nullptr);

// Dispatches every message waiting on the calling thread, paint included.
void PumpWaiting();

}  // namespace win32::testing
