#include "tracedisplay/windows/fixed_gadget_window.h"

#include "tracedisplay/windows/gadget_strip.h"
#include "tracedisplay/windows/trace_display_resources.h"

namespace PendrelDraw {

FixedGadgetWindow::FixedGadgetWindow(OWL::TWindow* parent, HFONT font)
    : OWL::TGadgetWindow(parent, Horizontal, font, &TraceDisplayModule()) {}

bool FixedGadgetWindow::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table{
      {WM_LBUTTONDOWN, 0, OWL::Handler(&FixedGadgetWindow::EvStripLButtonDown)},
      {WM_LBUTTONUP, 0, OWL::Handler(&FixedGadgetWindow::EvStripLButtonUp)},
  };
  return SearchResponseTable(table, info) || OWL::TGadgetWindow::Find(info);
}

LRESULT FixedGadgetWindow::EvStripLButtonDown(WPARAM modifiers, LPARAM point) {
  if (const HWND parent = GetParentH()) SendMessageW(parent, kStripButtonMessage, 0, 0);
  return EvLButtonDown(modifiers, point);
}

LRESULT FixedGadgetWindow::EvStripLButtonUp(WPARAM modifiers, LPARAM point) {
  if (const HWND parent = GetParentH()) SendMessageW(parent, kStripButtonMessage, 1, 0);
  return EvLButtonUp(modifiers, point);
}

SIZE FixedGadgetWindow::GetDesiredSize() const { return StripExtent(*this); }

}  // namespace PendrelDraw
