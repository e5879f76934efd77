// The GUI framework's button gadget with a text: it shows its glyph, its text or both, the text
// on one side of the glyph, and wants room for a given number of characters of its font.
#pragma once

#include <string>

#include "platform/owl/gadgets/button_gadget.h"

namespace OWL {

class TButtonTextGadget : public TButtonGadget {
 public:
  enum TStyle { sBitmap = 0x1, sText = 0x2, sBitmapText = 0x3 };
  enum TLayoutStyle { lTextLeft, lTextTop, lTextRight, lTextBottom };
  enum TAlign { aLeft, aCenter, aRight };

  TButtonTextGadget(int id, LPCWSTR glyphResource, TStyle style = sBitmapText, TType type = Command,
                    bool enabled = true, TState state = Up, bool sharedGlyph = false, UINT numChars = 4);

  const std::u16string& GetText() const { return m_text; }
  void SetText(const std::u16string& text) { m_text = text; }
  TStyle GetStyle() const { return m_style; }
  void SetStyle(TStyle style) { m_style = style; }
  TLayoutStyle GetLayoutStyle() const { return m_layout; }
  void SetLayoutStyle(TLayoutStyle layout) { m_layout = layout; }
  TAlign GetAlign() const { return m_align; }
  void SetAlign(TAlign align) { m_align = align; }
  UINT GetNumChars() const { return m_numChars; }
  void SetNumChars(UINT count) { m_numChars = count; }
  // The gadget's own font, or null for its window's.
  HFONT GetFont() const { return m_font; }
  void SetFont(HFONT font) { m_font = font; }
  // The font the text is drawn in: the gadget's, else its window's.
  HFONT GetEffectiveFont() const;
  // The room the text takes: its extent in the font, at least `numChars` average characters.
  TSize GetTextSize() const;

 private:
  std::u16string m_text;
  TStyle m_style;
  TLayoutStyle m_layout = lTextBottom;
  TAlign m_align = aCenter;
  UINT m_numChars;
  HFONT m_font = nullptr;
};

}  // namespace OWL
