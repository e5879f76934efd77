#include "tracedisplay/windows/data_window_base.h"

#include "platform/win32/input.h"
#include "platform/win32/resource_templates.h"
#include "tracedisplay/windows/ctrl_move_cursor.h"
#include "tracedisplay/windows/scroll_bar_window.h"
#include "tracedisplay/windows/trace_display_resources.h"
#include "tracedisplay/windows/zoom_control_window.h"

namespace PendrelDraw {

namespace {

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

DataWinBase::DataWinBase(OWL::TWindow* parent)
    : OWL::TWindow(parent, u"", &TraceDisplayModule()),
      m_accelerators(TraceDisplayModule().LoadAccelerators(u"PENDRELDRAWACCELS")) {
  CtrlMoveCursor::RegisterWindow();
}

DataWinBase::~DataWinBase() { CtrlMoveCursor::UnregisterWindow(); }

void DataWinBase::GetWindowClass(WNDCLASSEXW& windowClass) const {
  OWL::TWindow::GetWindowClass(windowClass);
  windowClass.hbrBackground = nullptr;
}

bool DataWinBase::TranslateKeys(MSG& message) {
  return GetHandle() && m_accelerators && TranslateAcceleratorW(GetHandle(), m_accelerators, &message);
}

std::unique_ptr<ScrollBar> DataWinBase::CreateScrollBar(DataPane& target) {
  auto bar = std::make_unique<ScrollBarWin>(this, &target);
  if (GetHandle() && !bar->Create()) return nullptr;
  return bar;
}

std::unique_ptr<ZoomControl> DataWinBase::CreateZoomControl(DataPane& owner, DWORD flags) {
  auto control = std::make_unique<ZoomControlWin>(this, &owner, flags);
  if (GetHandle() && !control->Create()) return nullptr;
  return control;
}

void DataWinBase::MoveWindow(int x, int y, int width, int height, bool repaint) {
  ::MoveWindow(GetHandle(), x, y, width, height, repaint);
}

void DataWinBase::ScrollWindow(int dx, const RECT* scroll, const RECT* clip) {
  ScrollWindowEx(GetHandle(), dx, 0, scroll, clip, nullptr, nullptr, SW_INVALIDATE);
}

void DataWinBase::InvalidateWindow(bool erase) {
  if (GetHandle()) Invalidate(erase);
}

void DataWinBase::InvalidateArea(const RECT* rect, bool erase) {
  if (GetHandle()) ::InvalidateRect(GetHandle(), rect, erase);
}

void DataWinBase::GetClientArea(RECT* rect) {
  if (GetHandle() && rect) *rect = GetClientRect();
}

LRESULT DataWinBase::EvCommand(WPARAM wParam, LPARAM lParam) {
  return OWL::TWindow::WindowProc(WM_COMMAND, wParam, lParam);
}

void DataWinBase::EvLButtonUp(DWORD, POINT) { SetFocus(GetHandle()); }

void DataWinBase::EvMouseMove(DWORD, POINT) { CtrlMoveCursor::SetMouseOver(true); }

void DataWinBase::EvMouseLeave() { CtrlMoveCursor::SetMouseOver(false); }

bool DataWinBase::EvSetCursor(HWND window, UINT hitTest, UINT message) {
  if (window != GetHandle()) return true;
  return DefaultProcessing(WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(hitTest, message));
}

LRESULT DataWinBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const DWORD keys = DWORD(wParam);
  switch (message) {
    case WM_COMMAND: return EvCommand(wParam, lParam);
    case WM_NOTIFY: return EvNotify(wParam, lParam);
    case WM_ERASEBKGND: return EvEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_PAINT: EvPaint(); return 0;
    case WM_MOVE: EvMove(PointOf(lParam)); return 0;
    case WM_SIZE: EvSize(UINT(wParam), SIZE{LOWORD(lParam), HIWORD(lParam)}); return 0;
    case WM_MOUSEWHEEL:
      return EvMouseWheel(LOWORD(wParam), SHORT(HIWORD(wParam)), PointOf(lParam));
    case WM_MOUSEMOVE: EvMouseMove(keys, PointOf(lParam)); return 0;
    case WM_MOUSELEAVE: EvMouseLeave(); return 0;
    case WM_LBUTTONDOWN: EvLButtonDown(keys, PointOf(lParam)); return 0;
    case WM_LBUTTONDBLCLK: EvLButtonDblClk(keys, PointOf(lParam)); return 0;
    case WM_LBUTTONUP: EvLButtonUp(keys, PointOf(lParam)); return 0;
    case WM_RBUTTONDOWN: EvRButtonDown(keys, PointOf(lParam)); return 0;
    case WM_RBUTTONUP: EvRButtonUp(keys, PointOf(lParam)); return 0;
    case WM_TIMER: EvTimer(UINT_PTR(wParam)); return 0;
    case WM_SETCURSOR:
      return EvSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_INITMENUPOPUP:
      EvInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam) != 0);
      return 0;
    case WM_UNINITMENUPOPUP: EvUninitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_MENUSELECT:
      EvMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      return 0;
    default: return OWL::TWindow::WindowProc(message, wParam, lParam);
  }
}

}  // namespace PendrelDraw
