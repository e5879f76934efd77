// The module's push button with a glyph and a caption (the dialogs' help buttons): it draws
// itself with the visual style of its theme class, or in classic 3-D when no theme is open,
// tracks the pointer for a hot look, may toggle, greys its glyph when disabled, and shows its
// tooltip in a hover popup from half a second after the pointer comes to rest until five
// seconds later. It is bound to a dialog's button control and belongs to the dialog.
#pragma once

#include <memory>

#include "controls/popups/popup.h"
#include "core/quor_string.h"
#include "platform/owl/glyph_button.h"
#include "platform/win32/visual_styles.h"

namespace QuorControls {

class TBmpTxtButton : public OWL::TGlyphButton {
 public:
  static constexpr UINT_PTR kTooltipTimer = 1;
  static constexpr UINT kTooltipTickMs = 500;
  static constexpr int kTooltipLifetimeMs = 5000;

  // An empty tooltip shows none; the module is the one the glyph comes from (null: the
  // parent's).
  TBmpTxtButton(OWL::TWindow* parent, int resourceId, const Quor::String& tooltip,
                OWL::TModule* module = nullptr);
  ~TBmpTxtButton() override;

  // The glyph: a bitmap resource of the window's module.
  void SetBitmap(int bitmapId);
  // A toggle button stays pushed from one click to the next.
  void SetToggleMode(bool toggle) { m_toggleMode = toggle; }
  bool IsToggled() const { return m_toggled; }
  // The flat toolbar look instead of a push button's.
  void SetToolbarLook(bool toolbar);
  // Themed drawing fills the background with the parent's button brush instead of the parent's
  // themed background.
  void SetParentBrush(bool parentBrush) { m_parentBrush = parentBrush; }

  bool IsClassic() const { return m_classic; }
  bool IsHot() const { return m_hot; }
  // The tooltip while it shows; null otherwise.
  const Quor::Popup* GetPopup() const { return m_popup.get(); }

  void SetupWindow() override;
  void CleanupWindow() override;
  bool Find(OWL::TEventInfo& info) override;

 protected:
  void PaintFrame(OWL::TDC& dc, OWL::TRect& rect) override;
  void PaintDefaultRect(OWL::TDC& dc, OWL::TRect& rect) override;
  void PaintFace(OWL::TDC& dc, const OWL::TRect& rect) override;
  void PaintFocusRect(OWL::TDC& dc, const OWL::TRect& rect) override;
  virtual void PaintClassicFace(OWL::TDC& dc, const OWL::TRect& rect);

 private:
  LRESULT EvMouseMove(WPARAM, LPARAM);
  LRESULT EvLButtonDown(WPARAM, LPARAM);
  LRESULT EvLButtonUp(WPARAM, LPARAM);
  LRESULT EvKeyUp(WPARAM, LPARAM);
  LRESULT EvKeyDown(WPARAM, LPARAM);
  LRESULT EvMouseLeave(WPARAM, LPARAM);
  LRESULT EvTimer(WPARAM, LPARAM);
  LRESULT EvThemeChanged(WPARAM, LPARAM);
  LRESULT EvOtherButtonDown(WPARAM, LPARAM);
  LRESULT EvCancelMode(WPARAM, LPARAM);
  LRESULT EvKillFocus(WPARAM, LPARAM);
  LRESULT EvEnable(WPARAM, LPARAM);

  bool ClassicButton() const { return m_classic && m_themeClass == kButtonClass; }
  void OpenTheme();
  void CloseTheme();
  void CloseTooltip();
  // The pointer left while the button was hot.
  void Leave();
  // Lets go of the pushed look, unless a toggle button keeps it.
  void ReleasePushed();
  void PaintGlyphAndText(OWL::TDC& dc, const OWL::TRect& face, bool themed);
  void PaintGlyph(OWL::TDC& dc, const OWL::TRect& place, const OWL::TBitmap& glyph) const;
  void PaintText(OWL::TDC& dc, const std::u16string& text, OWL::TRect& place) const;

  static constexpr char16_t kButtonClass[] = u"BUTTON";
  static constexpr char16_t kToolbarClass[] = u"TOOLBAR";

  HTHEME m_theme = nullptr;
  bool m_classic = true;
  bool m_hot = false;
  bool m_clicked = false;
  bool m_keyboardCue = false;
  bool m_tracking = false;
  const char16_t* m_themeClass = kButtonClass;  // compared by address
  Quor::String m_tooltip;
  std::unique_ptr<Quor::Popup> m_popup;
  bool m_popupShown = false;
  int m_hoverMs = 0;
  bool m_toggleMode = false;
  bool m_toggled = false;
  bool m_parentBrush = false;
  OWL::TModule* m_module;  // of the glyph; null: the window's
};

}  // namespace QuorControls
