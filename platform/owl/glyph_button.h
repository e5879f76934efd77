// The GUI framework's glyph button: a push button that draws itself, a glyph beside its
// caption, in one cell per look (normal, pushed, disabled). Its state is a word of bits that its
// mouse, key, focus and enable handling keeps; painting runs frame, default rectangle and face,
// each a virtual that a derived button may replace. The button owns its glyph cells.
#pragma once

#include <memory>

#include "platform/owl/controls.h"
#include "platform/owl/gdi_objects.h"

namespace OWL {

class TGlyphButton : public TButton {
 public:
  // State bits.
  enum : UINT {
    biPushed = 0x0001,
    biFocus = 0x0002,
    biDefault = 0x0004,
    biDisabled = 0x0008,
    biShowText = 0x0010,
    biShowGlyph = 0x0020,
    biGtDown = 0x0100,      // has a pushed glyph
    biGtDisabled = 0x0200,  // has a disabled glyph
  };
  // The glyph cells, by look.
  enum TGlyphType { gtUp = 0, gtDown = 1, gtDisabled = 2, gtCount = 3 };

  // A button bound to a dialog control; `type` is kept for the owner, as given.
  TGlyphButton(TWindow* parent, int resourceId, int type);
  ~TGlyphButton() override;

  // The button owns the cell; a null one removes it.
  void SetGlyph(std::unique_ptr<TBitmap> glyph, TGlyphType type = gtUp);
  const TBitmap* GetGlyph(TGlyphType type) const { return m_glyphs[type].get(); }
  int GetType() const { return m_type; }

  bool IsSet(UINT bits) const { return (m_state & bits) != 0; }
  void Set(UINT bits) { m_state |= bits; }
  void Clear(UINT bits) { m_state &= ~bits; }

  // The button's own font (WM_SETFONT); null when none was set.
  HFONT GetFont() const { return m_font; }

  void GetWindowClass(WNDCLASSEXW& windowClass) const override;
  void SetupWindow() override;
  void Paint(TDC& dc, bool erase, TRect& rect) override;
  bool Find(TEventInfo& info) override;

  // Places a glyph and a text of the given sizes side by side, the pair centred in `face`:
  // `glyph` and `text` keep their sizes and receive their places.
  void LayoutTextGlyph(const TRect& face, TRect& text, TRect& glyph) const;

 protected:
  // Painting, in this order; the frame and the default rectangle shrink `rect` by what they
  // took. The base draws a classic 3-D button.
  virtual void PaintFrame(TDC& dc, TRect& rect);
  virtual void PaintDefaultRect(TDC& dc, TRect& rect);
  virtual void PaintFace(TDC& dc, const TRect& rect);
  virtual void PaintFocusRect(TDC& dc, const TRect& rect);

  // The default handling of the messages the button answers.
  LRESULT EvLButtonDown(WPARAM, LPARAM);
  LRESULT EvMouseMove(WPARAM, LPARAM);
  LRESULT EvLButtonUp(WPARAM, LPARAM);
  LRESULT EvKeyDown(WPARAM, LPARAM);
  LRESULT EvKeyUp(WPARAM, LPARAM);
  LRESULT EvSetFocus(WPARAM, LPARAM);
  LRESULT EvKillFocus(WPARAM, LPARAM);
  LRESULT EvEnable(WPARAM, LPARAM);
  LRESULT EvCancelMode(WPARAM, LPARAM);
  LRESULT BmSetState(WPARAM, LPARAM);
  LRESULT BmGetState(WPARAM, LPARAM);
  LRESULT EvSetFont(WPARAM, LPARAM);
  LRESULT EvGetFont(WPARAM, LPARAM);

  // Sets or clears the pushed bit and repaints when it changed.
  void SetPushed(bool pushed);
  bool ContainsClientPoint(LPARAM point) const;

 private:
  int m_type;
  UINT m_state = 0;
  HFONT m_font = nullptr;
  std::unique_ptr<TBitmap> m_glyphs[gtCount];
};

// The WM_COMMAND notification of a click.
constexpr WORD BN_CLICKED = 0;

}  // namespace OWL
