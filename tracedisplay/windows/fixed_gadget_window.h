// FixedGadgetWindow: the gadget window under the preview's button strips (the sampling control
// and the trace control). It takes the trace display's resources as its module, so its buttons
// find their glyphs there, and tells its parent when the left button goes down and up on it
// (kStripButtonMessage, wParam 0 down and 1 up) before its gadgets hear of it. Its gadgets go
// with it.
#pragma once

#include "platform/owl/gadgets/gadget_window.h"

namespace PendrelDraw {

inline constexpr UINT kStripButtonMessage = WM_USER + 1;

class FixedGadgetWindow : public OWL::TGadgetWindow {
 public:
  FixedGadgetWindow(OWL::TWindow* parent, HFONT font);

  std::u16string GetClassName() const override { return u"FixedGadgetWindow"; }
  bool Find(OWL::TEventInfo& info) override;
  // The tiled gadgets' size.
  SIZE GetDesiredSize() const;

 private:
  LRESULT EvStripLButtonDown(WPARAM modifiers, LPARAM point);
  LRESULT EvStripLButtonUp(WPARAM modifiers, LPARAM point);
};

}  // namespace PendrelDraw
