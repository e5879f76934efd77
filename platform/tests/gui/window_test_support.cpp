#include "platform/tests/gui/window_test_support.h"

#include <map>
#include <mutex>

namespace win32::testing {
namespace {

LRESULT RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ReceivedMessages().push_back({window, message, wParam, lParam});
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::vector<Received>& ReceivedMessages() {
  thread_local std::vector<Received> received;
  return received;
}

std::vector<UINT> ReceivedNumbers(HWND window) {
  std::vector<UINT> numbers;
  for (const Received& each : ReceivedMessages())
    if (!window || each.window == window) numbers.push_back(each.message);
  return numbers;
}

LPCWSTR RecordingClass(LPCWSTR name, UINT classStyle) {
  static std::mutex mutex;
  static std::map<std::u16string, bool> registered;
  std::lock_guard lock(mutex);
  if (!registered[name]) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
    registered[name] = true;
  }
  return name;
}

HWND MakeWindow(DWORD style, HWND parent, RECT rect, LPCWSTR className) {
  return CreateWindowExW(0, className ? className : RecordingClass(), u"", style, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, nullptr,
                         nullptr);
}

void PumpWaiting() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace win32::testing
