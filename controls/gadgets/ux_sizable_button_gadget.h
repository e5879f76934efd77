// A toolbar button that draws its glyph (a PNG resource, or an image handed in) at its own pixel
// size while growing with the screen's resolution, draws its frame with the visual styles when a
// theme is open, and can pulse a highlight on a 100 ms timer. Its gadget window owns it; it owns
// its theme handle and its glyph images and lets them go with itself.
#pragma once

#include <memory>

#include "controls/gadgets/low_priority_timer.h"
#include "platform/gdiplus/image.h"
#include "platform/owl/gadgets/button_text_gadget.h"
#include "platform/win32/visual_styles.h"

class UxSizableButtonGadget : public OWL::TButtonTextGadget, public Quor::LowPriorityTimer {
 public:
  // Bits of the look state.
  enum Look : UINT { kLookPressed = 0x1, kLookHot = 0x2, kLookDisabled = 0x8 };
  // Theme kind 1 is the push-button look; any other the toolbar look.
  enum { kThemeButton = 1, kThemeToolbar = 0 };

  // A glyph-only button of command type with room for 4 characters.
  UxSizableButtonGadget(int id, int glyphResource);
  // A glyph-only button of that type, no text, marked with flag 0x08.
  UxSizableButtonGadget(int glyphResource, int id, TType type);
  ~UxSizableButtonGadget() override;

  virtual void LayoutTextGlyph(const OWL::TRect& inner, OWL::TRect& text, OWL::TRect& glyph);
  virtual void PaintText(OWL::TDC& dc, const OWL::TRect& rect, const std::u16string& text);
  // which 0: the glyph; 1: the glyph shown while down. Returns the image replaced; any other
  // `which` discards `image`.
  virtual std::unique_ptr<Gdiplus::Bitmap> SetGlyphImage(int which, std::unique_ptr<Gdiplus::Bitmap> image);
  virtual const char16_t* GetClassName() const { return u"UxSizableButtonGadget"; }
  virtual OWL::TSize GetSizedGlyphSize();
  virtual void UpdateGlyphSize();
  virtual void PaintThemedBackground(OWL::TDC& dc, const OWL::TRect& rect);

  void GetDesiredSize(OWL::TSize& size) override;
  void SetBounds(const OWL::TRect& bounds) override;
  void CommandEnable() override;
  void SysColorChange() override;
  void Created() override;
  void Paint(OWL::TDC& dc) override;
  void PaintBorder(OWL::TDC& dc) override;
  void MouseEnter(UINT modifiers, const OWL::TPoint& point) override;
  void MouseLeave(UINT modifiers, const OWL::TPoint& point) override;
  void LButtonDown(UINT modifiers, const OWL::TPoint& point) override;
  void LButtonUp(UINT modifiers, const OWL::TPoint& point) override;
  void OnTimer() override;

  // Bits 0x1 and 0x2 pulse the highlight; setting the current state again does nothing.
  void SetAnimationState(UINT state);
  UINT GetAnimationState() const { return m_animation; }
  UINT GetLookState() const { return m_look; }
  HTHEME GetThemeHandle() const { return m_theme; }
  OWL::TSize GetGlyphSize() const { return m_glyphSize; }
  OWL::TPoint GetGlyphOrigin() const { return m_glyphOrigin; }

 protected:
  // The form behind the custom button: command id 214, no glyph resource, the image given.
  UxSizableButtonGadget(std::unique_ptr<Gdiplus::Bitmap> glyph, int themeKind, TStyle style, TType type,
                        bool enabled, TState state, bool shared, UINT numChars);

  // Settles the look state on the enabled flag and answers the theme state: 1 normal, 2 hot,
  // 3 pressed or down, 4 disabled, the later winning.
  int SettleThemeState();
  // The highlight fill of PaintThemedBackground's last step.
  void FillHighlight(OWL::TDC& dc, const OWL::TRect& rect, bool pulse);
  bool IsDownLook() const;

 private:
  void StartUp();
  void OpenTheme(HWND window);
  void CloseTheme();
  // Loads the glyph resource when no glyph is there yet; false when no image results.
  bool EnsureGlyph();
  void PaintGlyph(OWL::TDC& dc);
  // Where the glyph goes: the layout's glyph rectangle, or the inner rectangle.
  OWL::TRect GlyphRect() const;
  OWL::TRect TextRect() const;

  HTHEME m_theme = nullptr;
  int m_themeKind = kThemeButton;
  std::unique_ptr<Gdiplus::Bitmap> m_glyph;
  bool m_glyphPremultiplied = false;
  std::unique_ptr<Gdiplus::Bitmap> m_alternate;
  UINT m_look = 0;
  OWL::TSize m_glyphSize;
  UINT m_animation = 0;
  OWL::TPoint m_glyphOrigin;
};
