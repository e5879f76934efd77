// The owning window's mouse and timer messages as the data pane hands them to its interactive
// objects: the left button and moves as mouse phases, everything else as pane events.
#include "tracedisplay/datapane/data_pane.h"

namespace PendrelDraw {

namespace {

LONG_PTR Packed(POINT point) { return LONG_PTR(MAKELPARAM(point.x, point.y)); }

}  // namespace

void DataPane::OnLButtonDown(DWORD keys, POINT point) { MouseBroadcast(1, point, keys); }

void DataPane::OnMouseMove(DWORD keys, POINT point) { MouseBroadcast(2, point, keys); }

void DataPane::OnLButtonUp(DWORD keys, POINT point) { MouseBroadcast(3, point, keys); }

bool DataPane::OnLButtonDblClk(DWORD keys, POINT point) {
  BOOL taken = FALSE;
  BroadcastEvent(PaneEvent::DoubleClick, Packed(point), LONG_PTR(keys),
                 reinterpret_cast<LONG_PTR>(&taken));
  return taken;
}

void DataPane::OnRButtonDown(DWORD keys, POINT point) {
  BroadcastEvent(PaneEvent::RightButton, TRUE, Packed(point), LONG_PTR(keys));
}

void DataPane::OnRButtonUp(DWORD keys, POINT point) {
  BroadcastEvent(PaneEvent::RightButton, FALSE, Packed(point), LONG_PTR(keys));
}

void DataPane::OnMouseLeave() { BroadcastEvent(PaneEvent::MouseLeave); }

void DataPane::OnTimer(UINT_PTR id) { BroadcastEvent(PaneEvent::Timer, LONG_PTR(id)); }

void DataPane::OnNotify(WPARAM control, const NMHDR* header) {
  BroadcastEvent(PaneEvent::Notify, LONG_PTR(control), reinterpret_cast<LONG_PTR>(header));
}

bool DataPane::OnSetCursor(LONG) { return false; }

}  // namespace PendrelDraw
