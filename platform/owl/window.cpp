#include "platform/owl/window.h"

#include <map>
#include <mutex>

#include "platform/owl/gdi_objects.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/monitors.h"

namespace OWL {
namespace {

std::mutex& WindowsMutex() {
  static std::mutex mutex;
  return mutex;
}

// The framework window of each platform window that has one.
std::map<HWND, TWindow*>& Windows() {
  static auto* windows = new std::map<HWND, TWindow*>;
  return *windows;
}

}  // namespace

bool SearchResponseTable(const TResponseTable& table, TEventInfo& info) {
  for (const TResponseTableEntry& entry : table)
    if (entry.message == info.message && (info.message != WM_COMMAND || entry.id == info.id)) {
      info.entry = &entry;
      return true;
    }
  return false;
}

TWindow::TWindow(TWindow* parent, LPCWSTR title, TModule* module)
    : m_parent(parent), m_module(module ? module : parent ? parent->m_module : nullptr),
      m_title(title ? title : u"") {
  if (m_parent) m_parent->m_children.push_back(this);
}

TWindow::TWindow(HWND handle, TModule* module) : m_module(module), m_handle(handle), m_owned(false) {
  std::lock_guard lock(WindowsMutex());
  Windows().emplace(handle, this);
}

TWindow::~TWindow() {
  if (m_owned && m_handle && ::IsWindow(m_handle)) DestroyWindow(m_handle);
  Detach();
  for (TWindow* child : m_children) child->m_parent = nullptr;
  if (m_parent) std::erase(m_parent->m_children, this);
}

TWindow* TWindow::FromHandle(HWND handle) {
  std::lock_guard lock(WindowsMutex());
  auto found = Windows().find(handle);
  return found == Windows().end() ? nullptr : found->second;
}

HWND TWindow::GetParentH() const {
  if (m_parent) return m_parent->GetHandle();
  return m_handle ? ::GetParent(m_handle) : m_parentHandle;
}

void TWindow::SetCaption(const std::u16string& title) {
  m_title = title;
  if (m_handle) SetWindowTextW(m_handle, title.c_str());
}

void TWindow::GetWindowClass(WNDCLASSEXW& windowClass) const {
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = StandardProc;
  windowClass.hInstance = m_module ? m_module->GetHandle() : nullptr;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
}

void TWindow::RegisterClassOnce() const {
  const std::u16string name = GetClassName();
  WNDCLASSEXW existing{};
  if (GetClassInfoExW(m_module ? m_module->GetHandle() : nullptr, name.c_str(), &existing)) return;
  WNDCLASSEXW windowClass{};
  GetWindowClass(windowClass);
  windowClass.lpfnWndProc = StandardProc;
  windowClass.lpszClassName = name.c_str();
  RegisterClassExW(&windowClass);
}

bool TWindow::Create() {
  if (m_handle) return true;
  RegisterClassOnce();
  const std::u16string name = GetClassName();
  const HMENU id = (Attr.Style & WS_CHILD) ? reinterpret_cast<HMENU>(std::intptr_t(Attr.Id)) : nullptr;
  const HWND handle = CreateWindowExW(Attr.ExStyle, name.c_str(), m_title.c_str(), Attr.Style, Attr.X,
                                      Attr.Y, Attr.W, Attr.H, m_parent ? m_parent->GetHandle() : m_parentHandle,
                                      id, m_module ? m_module->GetHandle() : nullptr, this);
  if (!handle) return false;
  for (TWindow* child : m_children)
    if (!child->Create()) return false;
  SetupWindow();
  return true;
}

void TWindow::Destroy(int) {
  if (m_owned && m_handle && ::IsWindow(m_handle)) DestroyWindow(m_handle);
}

void TWindow::Attach(HWND handle) {
  m_handle = handle;
  std::lock_guard lock(WindowsMutex());
  Windows()[handle] = this;
}

void TWindow::Detach() {
  if (!m_handle) return;
  std::lock_guard lock(WindowsMutex());
  auto found = Windows().find(m_handle);
  if (found != Windows().end() && found->second == this) Windows().erase(found);
  if (m_owned) m_handle = nullptr;
}

void TWindow::Paint(TDC&, bool, TRect&) {}

bool TWindow::CanClose() {
  for (TWindow* child : m_children)
    if (!child->CanClose()) return false;
  return true;
}

void TWindow::CloseWindow(int returnValue) {
  if (CanClose()) Destroy(returnValue);
}

bool TWindow::Find(TEventInfo&) { return false; }

LRESULT TWindow::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(m_handle, message, wParam, lParam);
}

bool TWindow::MoveWindow(const TRect& rect, bool repaint) {
  return ::MoveWindow(m_handle, rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

bool TWindow::SetWindowPos(HWND after, const TRect& rect, UINT flags) {
  return ::SetWindowPos(m_handle, after, rect.left, rect.top, rect.Width(), rect.Height(), flags);
}

TRect TWindow::GetClientRect() const {
  RECT rect{};
  ::GetClientRect(m_handle, &rect);
  return rect;
}

TRect TWindow::GetWindowRect() const {
  RECT rect{};
  ::GetWindowRect(m_handle, &rect);
  return rect;
}

LRESULT TWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(m_handle, &paint);
      {
        TDC context(dc);
        TRect area(paint.rcPaint);
        Paint(context, paint.fErase, area);
      }
      EndPaint(m_handle, &paint);
      return 0;
    }
    case WM_CLOSE:
      CloseWindow(0);
      return 0;
    case WM_DESTROY:
      CleanupWindow();
      break;
    default:
      break;
  }
  TEventInfo info{message, message == WM_COMMAND ? LOWORD(wParam) : 0u};
  if (Find(info) && info.entry->handler) return info.entry->handler(*this, wParam, lParam);
  return DefaultProcessing(message, wParam, lParam);
}

LRESULT TWindow::StandardProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    if (auto* window = static_cast<TWindow*>(create->lpCreateParams)) window->Attach(handle);
  }
  TWindow* window = FromHandle(handle);
  if (!window) return DefWindowProcW(handle, message, wParam, lParam);
  const LRESULT result = window->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) window->Detach();
  return result;
}

}  // namespace OWL
