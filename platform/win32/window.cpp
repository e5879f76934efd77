#include "platform/win32/window.h"

#include <algorithm>

#include "platform/win32/gdi.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/monitors.h"
#include "platform/win32/window_table.h"

using win32::detail::CallProcedure;
using win32::detail::FindWindowLocked;
using win32::detail::TableMutex;
using win32::detail::Window;

namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

// Reads a field of a live window; `fallback` (with ERROR_INVALID_WINDOW_HANDLE) when it is gone.
template <class T, class Read>
T ReadWindow(HWND handle, T fallback, Read read) {
  std::lock_guard lock(TableMutex());
  Window* window = FindWindowLocked(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return fallback;
  }
  return read(*window);
}

int CopyText(const std::u16string& text, LPWSTR buffer, int capacity) {
  if (!buffer || capacity <= 0) return 0;
  const int count = std::min<int>(int(text.size()), capacity - 1);
  std::copy_n(text.data(), count, buffer);
  buffer[count] = 0;
  return count;
}

RECT ClientRectOf(const Window& window) {
  const int border = win32::detail::BorderWidth(window.style);
  return {0, 0, std::max<LONG>(0, window.rect.right - window.rect.left - 2 * border),
          std::max<LONG>(0, window.rect.bottom - window.rect.top - 2 * border)};
}

bool OnOwnThread(const Window& window) {
  if (window.threadId == GetCurrentThreadId()) return true;
  SetLastError(ERROR_ACCESS_DENIED);
  return false;
}

void SendSizeAndMove(HWND handle) {
  RECT client{};
  POINT origin{};
  {
    std::lock_guard lock(TableMutex());
    Window* window = FindWindowLocked(handle);
    if (!window) return;
    client = ClientRectOf(*window);
    origin = {window->rect.left + win32::detail::BorderWidth(window->style),
              window->rect.top + win32::detail::BorderWidth(window->style)};
  }
  const WPARAM kind = IsZoomed(handle) ? SIZE_MAXIMIZED : IsIconic(handle) ? SIZE_MINIMIZED
                                                                          : SIZE_RESTORED;
  CallProcedure(handle, WM_SIZE, kind, MAKELPARAM(client.right, client.bottom));
  CallProcedure(handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
}

void SendPositionChange(HWND handle, WINDOWPOS& position) {
  CallProcedure(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
  {
    std::lock_guard lock(TableMutex());
    Window* window = FindWindowLocked(handle);
    if (!window) return;
    if (!(position.flags & SWP_NOMOVE) || !(position.flags & SWP_NOSIZE)) {
      const LONG width = (position.flags & SWP_NOSIZE) ? window->rect.right - window->rect.left
                                                        : position.cx;
      const LONG height = (position.flags & SWP_NOSIZE) ? window->rect.bottom - window->rect.top
                                                         : position.cy;
      const LONG x = (position.flags & SWP_NOMOVE) ? window->rect.left : position.x;
      const LONG y = (position.flags & SWP_NOMOVE) ? window->rect.top : position.y;
      window->rect = {x, y, x + std::max<LONG>(0, width), y + std::max<LONG>(0, height)};
    }
    if (position.flags & SWP_SHOWWINDOW) window->style |= WS_VISIBLE;
    if (position.flags & SWP_HIDEWINDOW) window->style &= ~WS_VISIBLE;
    if (!(position.flags & SWP_NOZORDER) && !window->parent) {
      auto& order = win32::detail::TopLevelOrderLocked();
      std::erase(order, handle);
      order.insert(order.begin(), handle);
    }
  }
  CallProcedure(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
  if (!(position.flags & SWP_NOREDRAW) && IsWindowVisible(handle))
    InvalidateRect(handle, nullptr, TRUE);
}

void DestroyTree(HWND handle, std::vector<HWND>& order) {
  // WM_DESTROY goes to a window before its children; WM_NCDESTROY after them.
  CallProcedure(handle, WM_DESTROY, 0, 0);
  std::vector<HWND> children;
  {
    std::lock_guard lock(TableMutex());
    if (Window* window = FindWindowLocked(handle)) children = window->children;
  }
  for (HWND child : children) DestroyTree(child, order);
  order.push_back(handle);
}

}  // namespace

WORD RegisterClassExW(const WNDCLASSEXW* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || !*windowClass->lpszClassName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto entry = std::make_shared<win32::detail::WindowClass>();
  entry->name = windowClass->lpszClassName;
  entry->style = windowClass->style;
  entry->procedure = windowClass->lpfnWndProc;
  entry->instance = windowClass->hInstance;
  entry->cursor = windowClass->hCursor;
  entry->background = windowClass->hbrBackground;
  entry->windowExtraBytes = windowClass->cbWndExtra;
  std::lock_guard lock(TableMutex());
  if (!win32::detail::AddClassLocked(entry)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  return entry->atom;
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  std::lock_guard lock(TableMutex());
  if (className && win32::detail::RemoveClassLocked(className)) return TRUE;
  SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
  return FALSE;
}

BOOL GetClassInfoExW(HINSTANCE, LPCWSTR className, WNDCLASSEXW* windowClass) {
  std::lock_guard lock(TableMutex());
  auto entry = className ? win32::detail::FindClassLocked(className) : nullptr;
  if (!entry || !windowClass) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return FALSE;
  }
  *windowClass = {sizeof(WNDCLASSEXW), entry->style, entry->procedure, 0, entry->windowExtraBytes,
                  entry->instance, nullptr, entry->cursor, entry->background, nullptr,
                  entry->name.c_str(), nullptr};
  return TRUE;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  const bool child = (style & WS_CHILD) != 0;
  HWND handle;
  {
    std::lock_guard lock(TableMutex());
    auto windowClass = className ? win32::detail::FindClassLocked(className) : nullptr;
    if (!windowClass) {
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    if ((child || parent) && !FindWindowLocked(parent)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    win32::detail::CurrentQueueLocked();
    auto window = std::make_unique<Window>();
    window->windowClass = windowClass;
    window->procedure = windowClass->procedure;
    window->style = style & ~WS_VISIBLE;
    window->exStyle = exStyle;
    window->text = windowName ? windowName : u"";
    if (child) {
      window->parent = parent;
    } else {
      // A popup's owner is the top-level window of the one named, as a child cannot own.
      HWND owner = parent;
      while (Window* named = owner ? FindWindowLocked(owner) : nullptr) {
        if (!named->parent) break;
        owner = named->parent;
      }
      window->owner = owner;
    }
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = kDefaultWidth, height = kDefaultHeight;
    window->rect = {x, y, x + std::max(0, width), y + std::max(0, height)};
    window->normalRect = window->rect;
    window->id = child ? reinterpret_cast<LONG_PTR>(menu) : 0;
    window->instance = instance;
    window->extra.resize(std::size_t(std::max(0, windowClass->windowExtraBytes)) / sizeof(LONG_PTR) + 1);
    window->threadId = GetCurrentThreadId();
    handle = win32::detail::AllocateWindowLocked(std::move(window));
    if (!handle) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    if (child) {
      auto& siblings = FindWindowLocked(parent)->children;
      siblings.insert(siblings.begin(), handle);
    } else {
      auto& order = win32::detail::TopLevelOrderLocked();
      order.insert(order.begin(), handle);
    }
  }
  CREATESTRUCTW create{param, instance, menu, parent, height, width, y, x, LONG(style),
                       windowName, className, exStyle};
  if (!child) {
    MINMAXINFO limits{};
    CallProcedure(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  }
  if (!CallProcedure(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
    CallProcedure(handle, WM_NCDESTROY, 0, 0);
    std::lock_guard lock(TableMutex());
    win32::detail::FreeWindowLocked(handle);
    return nullptr;
  }
  RECT calc{};
  GetWindowRect(handle, &calc);
  CallProcedure(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&calc));
  if (CallProcedure(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!IsWindow(handle)) return nullptr;
  SendSizeAndMove(handle);
  if (child && !(exStyle & WS_EX_NOPARENTNOTIFY))
    CallProcedure(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, int(reinterpret_cast<LONG_PTR>(menu))),
                  reinterpret_cast<LPARAM>(handle));
  if (style & WS_VISIBLE)
    ShowWindow(handle, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
  return IsWindow(handle) ? handle : nullptr;
}

BOOL DestroyWindow(HWND handle) {
  std::vector<HWND> owned;
  HWND parent = nullptr;
  LONG_PTR id = 0;
  DWORD exStyle = 0;
  {
    std::lock_guard lock(TableMutex());
    Window* window = FindWindowLocked(handle);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (!OnOwnThread(*window)) return FALSE;
    if (window->destroying) return TRUE;
    window->destroying = true;
    for (Window* other : win32::detail::AllWindowsLocked())
      if (other->owner == handle) owned.push_back(other->handle);
    parent = window->parent;
    id = window->id;
    exStyle = window->exStyle;
  }
  for (HWND other : owned) DestroyWindow(other);
  if (parent && !(exStyle & WS_EX_NOPARENTNOTIFY))
    CallProcedure(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, int(id)),
                  reinterpret_cast<LPARAM>(handle));
  if (IsWindowVisible(handle)) ShowWindow(handle, SW_HIDE);
  std::vector<HWND> order;
  DestroyTree(handle, order);
  for (HWND each : order) {
    CallProcedure(each, WM_NCDESTROY, 0, 0);
    std::lock_guard lock(TableMutex());
    win32::detail::FreeWindowLocked(each);
  }
  return TRUE;
}

BOOL IsWindow(HWND handle) {
  std::lock_guard lock(TableMutex());
  return FindWindowLocked(handle) != nullptr;
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure ? procedure(window, message, wParam, lParam)
                   : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT DefWindowProcW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(handle);
      return 0;
    case WM_PAINT:
      ValidateRect(handle, nullptr);
      return 0;
    case WM_SETTEXT:
      return ReadWindow<BOOL>(handle, FALSE, [&](Window& w) {
        w.text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"";
        return TRUE;
      });
    case WM_GETTEXT:
      return ReadWindow<int>(handle, 0, [&](Window& w) {
        return CopyText(w.text, reinterpret_cast<LPWSTR>(lParam), int(wParam));
      });
    case WM_GETTEXTLENGTH:
      return ReadWindow<int>(handle, 0, [](Window& w) { return int(w.text.size()); });
    case WM_NCHITTEST: {
      RECT rect;
      if (!GetWindowRect(handle, &rect)) return HTNOWHERE;
      return PtInRect(&rect, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) ? HTCLIENT : HTNOWHERE;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (position && (~position->flags & (SWP_NOSIZE | SWP_NOMOVE))) SendSizeAndMove(handle);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return 1;
    case WM_ERASEBKGND:
      return 1;
    default:
      return 0;
  }
}

LONG_PTR GetWindowLongPtrW(HWND handle, int index) {
  return ReadWindow<LONG_PTR>(handle, 0, [&](Window& w) -> LONG_PTR {
    switch (index) {
      case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w.procedure);
      case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w.instance);
      case GWLP_ID: return w.id;
      case GWL_STYLE: return LONG_PTR(LONG(w.style));
      case GWL_EXSTYLE: return LONG_PTR(LONG(w.exStyle));
      case GWLP_USERDATA: return w.userData;
      default:
        if (index >= 0 && std::size_t(index) / sizeof(LONG_PTR) < w.extra.size())
          return w.extra[std::size_t(index) / sizeof(LONG_PTR)];
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
  });
}

LONG_PTR SetWindowLongPtrW(HWND handle, int index, LONG_PTR value) {
  return ReadWindow<LONG_PTR>(handle, 0, [&](Window& w) -> LONG_PTR {
    auto swap = [&](auto& field, auto newValue) {
      const LONG_PTR old = LONG_PTR(field);
      field = newValue;
      return old;
    };
    switch (index) {
      case GWLP_WNDPROC: {
        const LONG_PTR old = reinterpret_cast<LONG_PTR>(w.procedure);
        w.procedure = reinterpret_cast<WNDPROC>(value);
        return old;
      }
      case GWLP_ID: return swap(w.id, value);
      case GWL_STYLE: return LONG_PTR(LONG(swap(w.style, DWORD(value))));
      case GWL_EXSTYLE: return LONG_PTR(LONG(swap(w.exStyle, DWORD(value))));
      case GWLP_USERDATA: return swap(w.userData, value);
      default:
        if (index >= 0 && std::size_t(index) / sizeof(LONG_PTR) < w.extra.size())
          return swap(w.extra[std::size_t(index) / sizeof(LONG_PTR)], value);
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
  });
}

LONG GetWindowLongW(HWND window, int index) { return LONG(GetWindowLongPtrW(window, index)); }
LONG SetWindowLongW(HWND window, int index, LONG value) {
  return LONG(SetWindowLongPtrW(window, index, value));
}

int GetClassNameW(HWND handle, LPWSTR buffer, int capacity) {
  return ReadWindow<int>(handle, 0,
                         [&](Window& w) { return CopyText(w.windowClass->name, buffer, capacity); });
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
  return BOOL(SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}
int GetWindowTextW(HWND window, LPWSTR buffer, int capacity) {
  return int(SendMessageW(window, WM_GETTEXT, WPARAM(capacity), reinterpret_cast<LPARAM>(buffer)));
}
int GetWindowTextLengthW(HWND window) { return int(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)); }

HWND GetParent(HWND handle) {
  return ReadWindow<HWND>(handle, nullptr, [](Window& w) { return w.parent ? w.parent : w.owner; });
}

HWND SetParent(HWND child, HWND parent) {
  std::lock_guard lock(TableMutex());
  Window* window = FindWindowLocked(child);
  Window* newParent = parent ? FindWindowLocked(parent) : nullptr;
  if (!window || (parent && !newParent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  const HWND old = window->parent;
  if (Window* oldParent = FindWindowLocked(old)) std::erase(oldParent->children, child);
  std::erase(win32::detail::TopLevelOrderLocked(), child);
  window->parent = parent;
  if (newParent)
    newParent->children.insert(newParent->children.begin(), child);
  else
    win32::detail::TopLevelOrderLocked().insert(win32::detail::TopLevelOrderLocked().begin(), child);
  return old;
}

HWND GetAncestor(HWND handle, UINT kind) {
  std::lock_guard lock(TableMutex());
  Window* window = FindWindowLocked(handle);
  if (!window) return nullptr;
  if (kind == GA_PARENT) return window->parent;
  while (Window* parent = FindWindowLocked(window->parent)) window = parent;
  return window->handle;
}

HWND GetWindow(HWND handle, UINT relation) {
  return ReadWindow<HWND>(handle, nullptr, [&](Window& w) -> HWND {
    if (relation == GW_OWNER) return w.owner;
    if (relation == GW_CHILD) return w.children.empty() ? nullptr : w.children.front();
    if (relation == GW_HWNDNEXT) {
      // The next of the parent's children; top-level windows have no order here.
      Window* parent = w.parent ? FindWindowLocked(w.parent) : nullptr;
      if (!parent) return nullptr;
      const auto at = std::find(parent->children.begin(), parent->children.end(), handle);
      return at == parent->children.end() || at + 1 == parent->children.end() ? nullptr : *(at + 1);
    }
    return nullptr;
  });
}

HWND GetDlgItem(HWND dialog, int id) {
  std::lock_guard lock(TableMutex());
  Window* window = FindWindowLocked(dialog);
  if (!window) return nullptr;
  for (HWND child : window->children)
    if (Window* each = FindWindowLocked(child); each && each->id == id) return child;
  return nullptr;
}

int GetDlgCtrlID(HWND window) { return int(GetWindowLongPtrW(window, GWLP_ID)); }

BOOL IsChild(HWND parent, HWND handle) {
  std::lock_guard lock(TableMutex());
  for (Window* window = FindWindowLocked(handle); window; window = FindWindowLocked(window->parent))
    if (window->parent == parent && parent) return TRUE;
  return FALSE;
}

DWORD GetWindowThreadProcessId(HWND handle, DWORD* processId) {
  if (processId) *processId = 1;
  return ReadWindow<DWORD>(handle, 0, [](Window& w) { return w.threadId; });
}

HWND GetDesktopWindow() { return nullptr; }

BOOL SetWindowPos(HWND handle, HWND, int x, int y, int width, int height, UINT flags) {
  if (!IsWindow(handle)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  WINDOWPOS position{handle, nullptr, x, y, width, height, flags};
  SendPositionChange(handle, position);
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(window, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL GetWindowRect(HWND handle, RECT* rect) {
  return ReadWindow<BOOL>(handle, FALSE, [&](Window& w) {
    if (!rect) return FALSE;
    *rect = win32::detail::WindowScreenRectLocked(w);
    return TRUE;
  });
}

BOOL GetClientRect(HWND handle, RECT* rect) {
  return ReadWindow<BOOL>(handle, FALSE, [&](Window& w) {
    if (!rect) return FALSE;
    *rect = ClientRectOf(w);
    return TRUE;
  });
}

BOOL ClientToScreen(HWND handle, POINT* point) {
  return ReadWindow<BOOL>(handle, FALSE, [&](Window& w) {
    const POINT origin = win32::detail::ClientOriginLocked(w);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
  });
}

BOOL ScreenToClient(HWND handle, POINT* point) {
  return ReadWindow<BOOL>(handle, FALSE, [&](Window& w) {
    const POINT origin = win32::detail::ClientOriginLocked(w);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
  });
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  std::lock_guard lock(TableMutex());
  POINT fromOrigin{0, 0}, toOrigin{0, 0};
  if (from) {
    Window* window = FindWindowLocked(from);
    if (!window) return 0;
    fromOrigin = win32::detail::ClientOriginLocked(*window);
  }
  if (to) {
    Window* window = FindWindowLocked(to);
    if (!window) return 0;
    toOrigin = win32::detail::ClientOriginLocked(*window);
  }
  const LONG dx = fromOrigin.x - toOrigin.x, dy = fromOrigin.y - toOrigin.y;
  for (UINT i = 0; i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return int(MAKELPARAM(dx, dy));
}

namespace {

bool VisibleLocked(const Window* window) {
  for (; window; window = FindWindowLocked(window->parent))
    if (!(window->style & WS_VISIBLE)) return false;
  return true;
}

// The deepest shown, enabled window under a screen point among `candidates` (topmost first).
HWND HitLocked(const std::vector<HWND>& candidates, POINT point) {
  for (HWND handle : candidates) {
    Window* window = FindWindowLocked(handle);
    if (!window || !(window->style & WS_VISIBLE) || (window->style & WS_DISABLED)) continue;
    const RECT rect = win32::detail::WindowScreenRectLocked(*window);
    if (!PtInRect(&rect, point)) continue;
    const HWND child = HitLocked(window->children, point);
    return child ? child : handle;
  }
  return nullptr;
}

}  // namespace

HWND WindowFromPoint(POINT point) {
  std::lock_guard lock(TableMutex());
  return HitLocked(win32::detail::TopLevelOrderLocked(), point);
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  std::lock_guard lock(TableMutex());
  Window* window = FindWindowLocked(parent);
  if (!window) return nullptr;
  const POINT origin = win32::detail::ClientOriginLocked(*window);
  const POINT screen{point.x + origin.x, point.y + origin.y};
  const RECT rect = win32::detail::WindowScreenRectLocked(*window);
  if (!PtInRect(&rect, screen)) return nullptr;
  for (HWND child : window->children) {
    Window* each = FindWindowLocked(child);
    const RECT childRect = win32::detail::WindowScreenRectLocked(*each);
    if (PtInRect(&childRect, screen)) return child;
  }
  return parent;
}

BOOL ShowWindow(HWND handle, int command) {
  bool wasVisible, wasMaximized, wasMinimized;
  RECT target{};
  bool child = false;
  {
    std::lock_guard lock(TableMutex());
    Window* window = FindWindowLocked(handle);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    wasVisible = window->style & WS_VISIBLE;
    wasMaximized = window->style & WS_MAXIMIZE;
    wasMinimized = window->style & WS_MINIMIZE;
    child = window->parent != nullptr;
    if (!wasMaximized && !wasMinimized) window->normalRect = window->rect;
    target = window->normalRect;
  }
  const bool show = command != SW_HIDE;
  if (show != wasVisible) CallProcedure(handle, WM_SHOWWINDOW, show, 0);
  DWORD state = 0;
  if (command == SW_SHOWMAXIMIZED) {
    state = WS_MAXIMIZE;
    if (child) {
      GetClientRect(GetParent(handle), &target);
    } else {
      MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
      GetMonitorInfoW(MonitorFromRect(&target, MONITOR_DEFAULTTONEAREST), &info);
      target = info.rcWork;
    }
  } else if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED) {
    state = WS_MINIMIZE;
  } else if (command != SW_HIDE && command != SW_SHOWNOACTIVATE && command != SW_SHOW &&
             command != SW_SHOWNA) {
    state = 0;  // restored
  } else {
    state = (wasMaximized ? WS_MAXIMIZE : 0) | (wasMinimized ? WS_MINIMIZE : 0);
  }
  {
    std::lock_guard lock(TableMutex());
    if (Window* window = FindWindowLocked(handle))
      window->style = (window->style & ~(WS_MAXIMIZE | WS_MINIMIZE)) | state;
  }
  UINT flags = SWP_NOZORDER | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  const bool resize = (state & WS_MAXIMIZE) || (!state && (wasMaximized || wasMinimized));
  if (!resize) flags |= SWP_NOMOVE | SWP_NOSIZE;
  WINDOWPOS position{handle, nullptr, target.left, target.top, target.right - target.left,
                     target.bottom - target.top, flags};
  SendPositionChange(handle, position);
  return wasVisible;
}

BOOL IsWindowVisible(HWND handle) {
  std::lock_guard lock(TableMutex());
  Window* window = FindWindowLocked(handle);
  return window && VisibleLocked(window);
}

BOOL IsIconic(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & LONG(WS_MINIMIZE)) != 0; }
BOOL IsZoomed(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & LONG(WS_MAXIMIZE)) != 0; }

BOOL EnableWindow(HWND handle, BOOL enable) {
  bool wasDisabled = false, changed = false;
  {
    std::lock_guard lock(TableMutex());
    Window* window = FindWindowLocked(handle);
    if (!window) return FALSE;
    wasDisabled = window->style & WS_DISABLED;
    changed = wasDisabled == bool(enable);
    if (enable)
      window->style &= ~WS_DISABLED;
    else
      window->style |= WS_DISABLED;
  }
  if (changed) CallProcedure(handle, WM_ENABLE, enable, 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
  return IsWindow(window) && !(GetWindowLongW(window, GWL_STYLE) & LONG(WS_DISABLED));
}

BOOL GetWindowPlacement(HWND handle, WINDOWPLACEMENT* placement) {
  return ReadWindow<BOOL>(handle, FALSE, [&](Window& w) {
    if (!placement) return FALSE;
    placement->flags = 0;
    placement->showCmd = !(w.style & WS_VISIBLE)     ? SW_HIDE
                         : (w.style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                         : (w.style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                                                   : SW_SHOWNORMAL;
    placement->ptMinPosition = placement->ptMaxPosition = {-1, -1};
    placement->rcNormalPosition =
        (w.style & (WS_MAXIMIZE | WS_MINIMIZE)) ? w.normalRect : w.rect;
    return TRUE;
  });
}

namespace {

// Swaps a per-thread window slot, sending the loss and gain messages outside the lock.
HWND SwapThreadWindow(HWND win32::detail::ThreadQueue::*field, HWND handle) {
  std::lock_guard lock(TableMutex());
  if (handle && !FindWindowLocked(handle)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  auto& queue = win32::detail::CurrentQueueLocked();
  const HWND old = queue.*field;
  queue.*field = handle;
  return old;
}

}  // namespace

HWND SetFocus(HWND window) {
  const HWND old = SwapThreadWindow(&win32::detail::ThreadQueue::focus, window);
  if (old == window) return old;
  if (old) CallProcedure(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (window) CallProcedure(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() {
  std::lock_guard lock(TableMutex());
  return win32::detail::CurrentQueueLocked().focus;
}

HWND SetActiveWindow(HWND window) {
  return SwapThreadWindow(&win32::detail::ThreadQueue::active, window);
}

HWND GetActiveWindow() {
  std::lock_guard lock(TableMutex());
  return win32::detail::CurrentQueueLocked().active;
}

HWND SetCapture(HWND window) {
  const HWND old = SwapThreadWindow(&win32::detail::ThreadQueue::capture, window);
  if (old && old != window) CallProcedure(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
  return old;
}

BOOL ReleaseCapture() {
  const HWND old = SwapThreadWindow(&win32::detail::ThreadQueue::capture, nullptr);
  if (old) CallProcedure(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  std::lock_guard lock(TableMutex());
  return win32::detail::CurrentQueueLocked().capture;
}

BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL) {
  std::lock_guard lock(TableMutex());
  Window* window = FindWindowLocked(handle);
  if (!window) return FALSE;
  RECT area = ClientRectOf(*window);
  if (rect) IntersectRect(&area, &area, rect);
  if (IsRectEmpty(&area)) return TRUE;
  UnionRect(&window->updateRect, &window->updateRect, &area);
  window->needsPaint = true;
  if (auto* queue = win32::detail::QueueOfThreadLocked(window->threadId)) queue->wake.notify_all();
  return TRUE;
}

BOOL ValidateRect(HWND handle, const RECT* rect) {
  std::lock_guard lock(TableMutex());
  Window* window = FindWindowLocked(handle);
  if (!window) return FALSE;
  // The update area is kept as one rectangle: validating part of it leaves it whole unless the
  // part covers it.
  RECT covered{};
  if (!rect || (IntersectRect(&covered, rect, &window->updateRect) &&
                EqualRect(&covered, &window->updateRect))) {
    window->needsPaint = false;
    SetRectEmpty(&window->updateRect);
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND handle, RECT* rect, BOOL) {
  return ReadWindow<BOOL>(handle, FALSE, [&](Window& w) {
    if (rect) *rect = w.needsPaint ? w.updateRect : RECT{};
    return BOOL(w.needsPaint);
  });
}

BOOL UpdateWindow(HWND handle) {
  bool paint;
  {
    std::lock_guard lock(TableMutex());
    Window* window = FindWindowLocked(handle);
    if (!window) return FALSE;
    paint = window->needsPaint && window->threadId == GetCurrentThreadId();
  }
  if (paint) CallProcedure(handle, WM_PAINT, 0, 0);
  return TRUE;
}

int ScrollWindowEx(HWND window, int, int, const RECT* scroll, const RECT* clip, HRGN, RECT* updateRect,
                   UINT flags) {
  RECT area{};
  if (scroll) {
    area = *scroll;
  } else if (!GetClientRect(window, &area)) {
    return 0;
  }
  if (clip && !IntersectRect(&area, &area, clip)) area = {};
  if (updateRect) *updateRect = area;
  if (IsRectEmpty(&area)) return NULLREGION;
  if ((flags & SW_INVALIDATE) && !InvalidateRect(window, &area, FALSE)) return 0;
  return SIMPLEREGION;
}

BOOL RedrawWindow(HWND window, const RECT* rect, HRGN, UINT flags) {
  if ((flags & RDW_INVALIDATE) && !InvalidateRect(window, rect, flags & RDW_ERASE)) return FALSE;
  if (flags & RDW_UPDATENOW) UpdateWindow(window);
  return TRUE;
}
