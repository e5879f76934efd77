// The GUI framework's window object. A TWindow owns one platform window, made by Create on the
// calling thread and destroyed with the object (or earlier by Destroy); messages reach the object
// through its response tables: a class's Find searches its own table and then hands the search
// to its base's Find, so a class answers before its bases. Messages no table answers go to the
// platform's default processing; WM_PAINT goes to Paint and WM_CLOSE to CanClose.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/owl/geometry.h"
#include "platform/owl/module.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window.h"
#include "platform/win32/window_messages.h"

namespace OWL {

class TWindow;
class TDC;

// One response: a message (for WM_COMMAND, one command id) and what answers it.
struct TResponseTableEntry {
  UINT message;
  UINT id;  // WM_COMMAND's command id; 0 for any other message
  std::function<LRESULT(TWindow&, WPARAM, LPARAM)> handler;
};
using TResponseTable = std::vector<TResponseTableEntry>;

// What Find looks for, and the entry it found.
struct TEventInfo {
  UINT message;
  UINT id = 0;
  const TResponseTableEntry* entry = nullptr;
};

// Searches one table; a class's Find calls it with its own table before its base's Find.
bool SearchResponseTable(const TResponseTable& table, TEventInfo& info);

// Binds a member function of a window class as a handler.
template <class Window>
std::function<LRESULT(TWindow&, WPARAM, LPARAM)> Handler(LRESULT (Window::*method)(WPARAM, LPARAM)) {
  return [method](TWindow& window, WPARAM w, LPARAM l) { return (static_cast<Window&>(window).*method)(w, l); };
}

class TWindow {
 public:
  struct TWindowAttr {
    DWORD Style = WS_CHILD | WS_VISIBLE;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, W = 0, H = 0;
    int Id = 0;
  };

  TWindow(TWindow* parent, LPCWSTR title = nullptr, TModule* module = nullptr);
  // Wraps a window made elsewhere; the object neither answers its messages nor destroys it.
  TWindow(HWND handle, TModule* module = nullptr);
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  // Makes the platform window; false when it could not be made.
  virtual bool Create();
  // Destroys the platform window (the object stays).
  void Destroy(int returnValue = 0);

  HWND GetHandle() const { return m_handle; }
  operator HWND() const { return m_handle; }
  TWindow* GetParentO() const { return m_parent; }
  HWND GetParentH() const;
  TModule* GetModule() const { return m_module; }
  const std::u16string& GetCaption() const { return m_title; }
  void SetCaption(const std::u16string& title);
  // The framework window of a handle, or null.
  static TWindow* FromHandle(HWND handle);
  // For a window whose parent (or owner) has no framework window: the handle Create uses.
  void SetParentHandle(HWND parent) { m_parentHandle = parent; }

  TWindowAttr Attr;

  // Window class registration: the class name, and what the class holds.
  virtual std::u16string GetClassName() const { return u"OWLWindow"; }
  virtual void GetWindowClass(WNDCLASSEXW& windowClass) const;

  // Runs once the platform window and its children's exist, before Create returns.
  virtual void SetupWindow() {}
  // Runs before the platform window goes.
  virtual void CleanupWindow() {}
  virtual void Paint(TDC& dc, bool erase, TRect& rect);
  // True when every child window agrees.
  virtual bool CanClose();
  // Closes the window when CanClose agrees.
  virtual void CloseWindow(int returnValue = 0);
  // Looks the message up in the class's response tables; TWindow's own table is empty.
  virtual bool Find(TEventInfo& info);
  // The platform's default answer to a message.
  LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

  bool ShowWindow(int command) { return ::ShowWindow(m_handle, command); }
  void Invalidate(bool erase = true) { InvalidateRect(m_handle, nullptr, erase); }
  void UpdateWindow() { ::UpdateWindow(m_handle); }
  bool MoveWindow(const TRect& rect, bool repaint = false);
  bool SetWindowPos(HWND after, const TRect& rect, UINT flags);
  TRect GetClientRect() const;
  TRect GetWindowRect() const;
  bool IsWindow() const { return ::IsWindow(m_handle); }
  // Answers a message at once, as the window procedure would, without the message queue.
  LRESULT HandleMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return WindowProc(message, wParam, lParam);
  }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(m_handle, message, wParam, lParam);
  }

 protected:
  // The framework windows made with this one as their parent, oldest first.
  const std::vector<TWindow*>& Children() const { return m_children; }
  // Everything a message goes through: Paint, closing, the response tables, then the default.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT StandardProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
  void RegisterClassOnce() const;
  void Attach(HWND handle);
  void Detach();

  TWindow* m_parent = nullptr;
  std::vector<TWindow*> m_children;
  HWND m_parentHandle = nullptr;
  TModule* m_module = nullptr;
  std::u16string m_title;
  HWND m_handle = nullptr;
  bool m_owned = true;
};

}  // namespace OWL
