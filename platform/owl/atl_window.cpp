#include "platform/owl/atl_window.h"

#include <atomic>
#include <map>
#include <mutex>

namespace ATL {
namespace {

std::atomic<LONG>& LockCount() {
  static std::atomic<LONG> count{0};
  return count;
}

std::mutex& ObjectsMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<HWND, CWindowImplBase*>& Objects() {
  static auto* objects = new std::map<HWND, CWindowImplBase*>;
  return *objects;
}

CWindowImplBase* ObjectOf(HWND window) {
  std::lock_guard lock(ObjectsMutex());
  auto found = Objects().find(window);
  return found == Objects().end() ? nullptr : found->second;
}

}  // namespace

LONG LockModule() { return ++LockCount(); }
LONG UnlockModule() { return --LockCount(); }
LONG ModuleLockCount() { return LockCount(); }

CWindowImplBase::~CWindowImplBase() {
  if (m_hWnd && IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  std::lock_guard lock(ObjectsMutex());
  for (auto it = Objects().begin(); it != Objects().end();)
    it = it->second == this ? Objects().erase(it) : std::next(it);
}

HWND CWindowImplBase::Create(HWND parent, const RECT& rect, LPCWSTR title, DWORD style, DWORD exStyle,
                             UINT id) {
  const std::u16string name = GetWndClassName();
  WNDCLASSEXW existing{};
  if (!GetClassInfoExW(nullptr, name.c_str(), &existing)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.lpszClassName = name.c_str();
    RegisterClassExW(&windowClass);
  }
  const HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(std::uintptr_t(id)) : nullptr;
  return CreateWindowExW(exStyle, name.c_str(), title, style, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, parent, menu, nullptr, this);
}

BOOL CWindowImplBase::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

LRESULT CWindowImplBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<CWindowImplBase*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (object) {
      object->m_hWnd = window;
      std::lock_guard lock(ObjectsMutex());
      Objects()[window] = object;
    }
  }
  CWindowImplBase* object = ObjectOf(window);
  if (!object) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (!object->ProcessWindowMessage(window, message, wParam, lParam, result, 0))
    result = DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    {
      std::lock_guard lock(ObjectsMutex());
      Objects().erase(window);
    }
    object->m_hWnd = nullptr;
    object->OnFinalMessage(window);
  }
  return result;
}

}  // namespace ATL
