// A toolbar button whose glyph image the caller hands in (the gadget owns it from then on). It
// frames itself like the sizable button, without the parent's background and without the pulse.
#pragma once

#include "controls/gadgets/ux_sizable_button_gadget.h"

class UxCustomButtonGadget : public UxSizableButtonGadget {
 public:
  UxCustomButtonGadget(std::unique_ptr<Gdiplus::Bitmap> glyph, int themeKind, TStyle style, TType type,
                       bool enabled = true, TState state = Up, bool shared = false, UINT numChars = 0)
      : UxSizableButtonGadget(std::move(glyph), themeKind, style, type, enabled, state, shared, numChars) {}

  const char16_t* GetClassName() const override { return u"UxCustomButtonGadget"; }
  void PaintThemedBackground(OWL::TDC& dc, const OWL::TRect& rect) override;
};
