// The template window library's subset: a window object whose message map is one virtual
// operation (ProcessWindowMessage, which says whether it handled a message and with what
// result), made by Create on the calling thread; messages the map does not handle get the
// platform's default processing, and OnFinalMessage runs after the window's last message. And
// the module's lock count, which objects that must keep the module loaded hold while they live.
#pragma once

#include <string>

#include "platform/win32/window.h"
#include "platform/win32/window_messages.h"

namespace ATL {

// The module's lock count; Lock and Unlock return the count after the change.
LONG LockModule();
LONG UnlockModule();
LONG ModuleLockCount();

class CWindowImplBase {
 public:
  CWindowImplBase() = default;
  virtual ~CWindowImplBase();
  CWindowImplBase(const CWindowImplBase&) = delete;
  CWindowImplBase& operator=(const CWindowImplBase&) = delete;

  // The message map: true when the message was handled, its answer in `result`. Only map 0 is
  // used here.
  virtual BOOL ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result, DWORD mapId) = 0;
  // After the window's last message (WM_NCDESTROY); the handle is already cleared.
  virtual void OnFinalMessage(HWND) {}

  // Registers the class (once per name) and makes the window.
  HWND Create(HWND parent, const RECT& rect, LPCWSTR title, DWORD style, DWORD exStyle = 0,
              UINT id = 0);
  BOOL DestroyWindow();
  HWND m_hWnd = nullptr;

 protected:
  virtual std::u16string GetWndClassName() const { return u"ATLWindow"; }

 private:
  static LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The window class's name comes from the derived class (T::GetWndClassNameOf()).
template <class T>
class CWindowImpl : public CWindowImplBase {
 protected:
  std::u16string GetWndClassName() const override { return T::GetWndClassNameOf(); }
};

}  // namespace ATL
