#include "platform/owl/gadgets/button_text_gadget.h"

#include <algorithm>

#include "platform/owl/gadgets/gadget_window.h"

namespace OWL {

TButtonTextGadget::TButtonTextGadget(int id, LPCWSTR glyphResource, TStyle style, TType type, bool enabled,
                                     TState state, bool sharedGlyph, UINT numChars)
    : TButtonGadget(glyphResource, id, type, enabled, state, sharedGlyph), m_style(style), m_numChars(numChars) {}

HFONT TButtonTextGadget::GetEffectiveFont() const {
  if (m_font) return m_font;
  if (GetGadgetWindow() && GetGadgetWindow()->GetFont()) return GetGadgetWindow()->GetFont();
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

TSize TButtonTextGadget::GetTextSize() const {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, GetEffectiveFont());
  SIZE extent{};
  GetTextExtentPoint32W(screen, m_text.c_str(), int(m_text.size()), &extent);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return TSize(std::max<int>(extent.cx, int(m_numChars) * metrics.tmAveCharWidth),
               std::max<int>(extent.cy, metrics.tmHeight));
}

}  // namespace OWL
