#include "host/app/main_window.h"

#include <mutex>

#include "host/app/host_application.h"
#include "platform/win32/window.h"

namespace PendrelHost {

namespace {

constexpr char16_t kWindowClass[] = u"PendrelMainWindow";

void RegisterWindowClass() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
  });
}

}  // namespace

HostMainWindow::HostMainWindow() {
  RegisterWindowClass();
  m_window = CreateWindowExW(0, kWindowClass, u"Pendrel", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                             nullptr, nullptr, nullptr, nullptr);
  HostApplication::Instance().SetMainWindow(m_window);
}

HostMainWindow::~HostMainWindow() {
  HostApplication::Instance().SetMainWindow(nullptr);
  if (m_window) DestroyWindow(m_window);
}

}  // namespace PendrelHost
