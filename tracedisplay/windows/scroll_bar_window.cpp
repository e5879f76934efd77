#include "tracedisplay/windows/scroll_bar_window.h"

#include "tracedisplay/datapane/data_pane.h"

namespace PendrelDraw {

ScrollBarWin::ScrollBarWin(OWL::TWindow* parent, DataPane* target)
    : OWL::TScrollBar(parent, kScrollBarId, 0, 0, 0, 0, true), m_target(target) {
  Attr.Style &= ~DWORD(WS_GROUP | WS_TABSTOP);
}

void ScrollBarWin::ScrollAction(UINT code, int) {
  if (m_target) m_target->ScrollPages(LONG(code));
}

void ScrollBarWin::SetRect(const RECT* rect) {
  if (rect) Place(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
}

void ScrollBarWin::Place(int x, int y, int width, int height) {
  if (GetHandle()) ::MoveWindow(GetHandle(), x, y, width, height, FALSE);
}

bool ScrollBarWin::IsEnabled() const { return GetHandle() && IsWindowEnabled(GetHandle()); }

void ScrollBarWin::Enable(bool enabled) {
  if (GetHandle()) EnableWindow(GetHandle(), enabled);
}

void ScrollBarWin::SetScrollInfo(const SCROLLINFO& info, bool redraw) {
  if (GetHandle()) OWL::TScrollBar::SetScrollInfo(&info, redraw);
}

void ScrollBarWin::SetPageMagnitude(int magnitude) {
  if (GetHandle()) PageMagnitude = magnitude;
}

void ScrollBarWin::Refresh() {
  if (GetHandle()) Invalidate(false);
}

}  // namespace PendrelDraw
