#include "core/inter_thread_notifier.h"

#include <mutex>

#include "platform/win32/message_queue.h"

namespace Quor {
namespace {

constexpr char16_t kClassName[] = u"QuorInterThreadNotifier";

void RegisterNotifierClass(WNDPROC procedure) {
  static std::once_flag once;
  std::call_once(once, [procedure] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
  });
}

}  // namespace

QuorInterThreadNotifierImpl::QuorInterThreadNotifierImpl(QuorInterThreadNotifierStableInterface* owner)
    : m_owner(owner) {
  RegisterNotifierClass(GetWindowProc());
  m_window = CreateWindowExW(0, kClassName, u"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                             owner);
  // Messages before this point are the creation messages, which take default processing.
  if (m_window) SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

QuorInterThreadNotifierImpl::~QuorInterThreadNotifierImpl() {
  if (IsWindow(m_window)) {
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
  }
}

WNDPROC QuorInterThreadNotifierImpl::GetWindowProc() { return StaticWindowProc; }

BOOL QuorInterThreadNotifierImpl::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam,
                                                       LPARAM lParam, LRESULT& result, DWORD mapId) {
  if (mapId != 0) return FALSE;
  switch (message) {
    case kNotify:
      result = m_owner->OnNotify(wParam, lParam);
      return TRUE;
    case kClose:
      DestroyWindow(window);
      result = 1;
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT QuorInterThreadNotifierImpl::StaticWindowProc(HWND window, UINT message, WPARAM wParam,
                                                         LPARAM lParam) {
  auto* self = reinterpret_cast<QuorInterThreadNotifierImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT result = 0;
  if (self && self->ProcessWindowMessage(window, message, wParam, lParam, result, 0)) return result;
  const LRESULT answer = (self ? self->m_defaultProc : DefWindowProcW)(window, message, wParam, lParam);
  if (message == WM_NCDESTROY && self) {
    self->m_window = nullptr;
    self->OnFinalMessage(window);
  }
  return answer;
}

InterThreadNotifier::InterThreadNotifier() : m_impl(new QuorInterThreadNotifierImpl(this)) {}

InterThreadNotifier::~InterThreadNotifier() {
  if (!m_impl) return;
  if (m_impl->Handle()) SendMessageW(m_impl->Handle(), QuorInterThreadNotifierImpl::kClose, 0, 0);
  delete m_impl;
  m_impl = nullptr;
}

LRESULT InterThreadNotifier::Notify(WPARAM first, LPARAM second) {
  const HWND window = WindowHandle();
  if (!window) return 0;
  return SendMessageW(window, QuorInterThreadNotifierImpl::kNotify, first, second);
}

}  // namespace Quor
