#include "host/app/main_window.h"

#include "host/app/host_application.h"
#include "host/framework/plain_window_class.h"
#include "platform/win32/window.h"

namespace PendrelHost {

namespace {

constexpr char16_t kWindowClass[] = u"PendrelMainWindow";

}  // namespace

HostMainWindow::HostMainWindow() {
  Tarn::RegisterPlainWindowClass(kWindowClass);
  m_window = CreateWindowExW(0, kWindowClass, u"Pendrel", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                             nullptr, nullptr, nullptr, nullptr);
  HostApplication::Instance().SetMainWindow(m_window);
}

HostMainWindow::~HostMainWindow() {
  HostApplication::Instance().SetMainWindow(nullptr);
  if (m_window) DestroyWindow(m_window);
}

}  // namespace PendrelHost
