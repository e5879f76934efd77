// DataWinBase: the framework window that hosts a data pane. It draws nothing itself: the
// template DataWin<Pane> (data_window.h) holds the pane and hands it the window's messages. The
// base gives the window its keys (the accelerator table PENDRELDRAWACCELS: the arrows scroll by
// lines, with Ctrl by pages), the move cursor while Ctrl is held over it (ctrl_move_cursor.h),
// the factories of the zoom control and scroll bar the pane asks for, and the window operations
// the pane calls. Its handlers are virtual so that DataWin<Pane> can hand each message on.
#pragma once

#include <memory>

#include "platform/owl/window.h"
#include "tracedisplay/scrolling/view_controls.h"

namespace PendrelDraw {

class DataPane;

// The keys' commands: a line left and right, a page left and right.
inline constexpr UINT kLineLeftCommand = 16802;
inline constexpr UINT kLineRightCommand = 16803;
inline constexpr UINT kPageLeftCommand = 16804;
inline constexpr UINT kPageRightCommand = 16805;

class DataWinBase : public OWL::TWindow {
 public:
  explicit DataWinBase(OWL::TWindow* parent);
  ~DataWinBase() override;

  std::u16string GetClassName() const override { return u"PendrelDataWindow"; }
  // No class background: the pane paints every pixel.
  void GetWindowClass(WNDCLASSEXW& windowClass) const override;

  // A key message that is one of the window's keys is sent to it as its command; true then.
  bool TranslateKeys(MSG& message);
  HACCEL GetAccelerators() const { return m_accelerators; }

  // Window operations of the pane. A control that cannot be made is null.
  virtual std::unique_ptr<ScrollBar> CreateScrollBar(DataPane& target);
  virtual std::unique_ptr<ZoomControl> CreateZoomControl(DataPane& owner, DWORD flags);
  using OWL::TWindow::MoveWindow;
  virtual void MoveWindow(int x, int y, int width, int height, bool repaint);
  // Moves the contents of `scroll` within `clip` by dx; what it uncovers is painted again.
  virtual void ScrollWindow(int dx, const RECT* scroll, const RECT* clip);
  // Each only when the window exists.
  virtual void InvalidateWindow(bool erase);
  virtual void InvalidateArea(const RECT* rect, bool erase);
  // Leaves the rectangle alone when the window does not exist.
  virtual void GetClientArea(RECT* rect);

  // Message handlers.
  virtual LRESULT EvCommand(WPARAM wParam, LPARAM lParam);
  virtual void EvMove(POINT) {}
  virtual void EvSize(UINT, SIZE) {}
  // The background counts as erased: the pane paints it.
  virtual bool EvEraseBkgnd(HDC) { return true; }
  virtual void EvPaint() = 0;
  virtual void EvLButtonDown(DWORD, POINT) {}
  virtual void EvLButtonDblClk(DWORD, POINT) {}
  // Takes the keyboard focus.
  virtual void EvLButtonUp(DWORD keys, POINT point);
  virtual void EvRButtonDown(DWORD, POINT) {}
  virtual void EvRButtonUp(DWORD, POINT) {}
  virtual void EvTimer(UINT_PTR) {}
  // The point is in screen co-ordinates. False: not handled.
  virtual bool EvMouseWheel(DWORD, SHORT, POINT) { return false; }
  // The mouse is over a data window from here until it leaves.
  virtual void EvMouseMove(DWORD keys, POINT point);
  virtual void EvMouseLeave();
  // The cursor of this window is the framework's; another window's cursor is left alone.
  virtual bool EvSetCursor(HWND window, UINT hitTest, UINT message);
  virtual void EvInitMenuPopup(HMENU, UINT, bool) {}
  virtual void EvUninitMenuPopup(HMENU) {}
  virtual void EvMenuSelect(UINT, UINT, HMENU) {}
  virtual LRESULT EvNotify(WPARAM, LPARAM) { return 0; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HACCEL m_accelerators = nullptr;
};

}  // namespace PendrelDraw
