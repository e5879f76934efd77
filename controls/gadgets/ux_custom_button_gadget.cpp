#include "controls/gadgets/ux_custom_button_gadget.h"

#include "controls/theme/ux_theme_dll.h"

void UxCustomButtonGadget::PaintThemedBackground(OWL::TDC& dc, const OWL::TRect& rect) {
  if (!GetGadgetWindow()) return;
  QuorLinkingUtils::DrawThemeBackground(GetThemeHandle(), dc, 1, SettleThemeState(), &rect);
  FillHighlight(dc, rect, false);
}
