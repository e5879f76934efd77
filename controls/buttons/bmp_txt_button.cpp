#include "controls/buttons/bmp_txt_button.h"

#include <algorithm>
#include <cmath>

#include "controls/drawing/opaque_image.h"
#include "controls/gadgets/glyph_face.h"
#include "controls/theme/ux_theme_dll.h"
#include "core/system_info_cache.h"
#include "platform/win32/cursor.h"
#include "platform/win32/input.h"
#include "platform/win32/monitors.h"

namespace QuorControls {

namespace {

constexpr int kGlyphButtonType = 16;
constexpr LONG kSetupStyleBits = 0x0E;
constexpr POINT kTooltipOffset{-3, 19};
constexpr UINT kMeasureFormat = DT_CALCRECT | DT_WORDBREAK;
constexpr UINT kTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
constexpr int kMeasureHeight = 32767;
// Every system this runs on has the 3-D look: disabled text is embossed in the shadow colour.
constexpr bool kSystemHas3dLook = true;

// Theme part and states of a push button.
constexpr int kPushButtonPart = 1;
enum ThemeState { kStateNormal = 1, kStateHot = 2, kStatePressed = 3, kStateDisabled = 4, kStateDefaulted = 5 };

std::u16string WithoutAmpersands(std::u16string text) {
  std::erase(text, u'&');
  return text;
}

// The glyph's pixels, opaque, for drawing through the colour matrix.
std::unique_ptr<Gdiplus::Bitmap> GlyphImage(HDC dc, const OWL::TBitmap& glyph) {
  OWL::TMemoryDC memory(dc);
  memory.SelectObject(glyph);
  auto image = OpaqueImageOf(memory, glyph.Width(), glyph.Height());
  memory.RestoreObjects();
  return image;
}

}  // namespace

TBmpTxtButton::TBmpTxtButton(OWL::TWindow* parent, int resourceId, const Quor::String& tooltip,
                             OWL::TModule* module)
    : OWL::TGlyphButton(parent, resourceId, kGlyphButtonType), m_tooltip(tooltip), m_module(module) {}

TBmpTxtButton::~TBmpTxtButton() { CloseTheme(); }

void TBmpTxtButton::SetBitmap(int bitmapId) {
  OWL::TModule* module = m_module ? m_module : GetModule();
  const HINSTANCE instance = module ? module->GetHandle() : GetModuleHandleW(nullptr);
  SetGlyph(std::make_unique<OWL::TBitmap>(instance, bitmapId), gtUp);
  if (GetHandle()) Invalidate();
}

void TBmpTxtButton::SetToolbarLook(bool toolbar) { m_themeClass = toolbar ? kToolbarClass : kButtonClass; }

void TBmpTxtButton::OpenTheme() {
  m_theme = Quor::IsWindowsXPOrLater() ? QuorLinkingUtils::OpenThemeData(GetHandle(), m_themeClass) : nullptr;
  m_classic = m_theme == nullptr;
}

void TBmpTxtButton::CloseTheme() {
  if (m_theme) QuorLinkingUtils::CloseThemeData(m_theme);
  m_theme = nullptr;
}

void TBmpTxtButton::SetupWindow() {
  OpenTheme();
  m_hot = m_clicked = m_keyboardCue = m_tracking = m_popupShown = false;
  m_hoverMs = 0;
  SetWindowLongW(GetHandle(), GWL_STYLE, GetWindowLongW(GetHandle(), GWL_STYLE) | kSetupStyleBits);
  OWL::TGlyphButton::SetupWindow();
}

void TBmpTxtButton::CleanupWindow() {
  CloseTooltip();
  OWL::TGlyphButton::CleanupWindow();
}

bool TBmpTxtButton::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table{
      {WM_MOUSEMOVE, 0, OWL::Handler(&TBmpTxtButton::EvMouseMove)},
      {WM_LBUTTONDOWN, 0, OWL::Handler(&TBmpTxtButton::EvLButtonDown)},
      {WM_LBUTTONUP, 0, OWL::Handler(&TBmpTxtButton::EvLButtonUp)},
      {WM_KEYUP, 0, OWL::Handler(&TBmpTxtButton::EvKeyUp)},
      {WM_KEYDOWN, 0, OWL::Handler(&TBmpTxtButton::EvKeyDown)},
      // The second press of a double click is a press like the first, so each click of it
      // notifies.
      {WM_LBUTTONDBLCLK, 0, OWL::Handler(&TBmpTxtButton::EvLButtonDown)},
      {WM_MOUSELEAVE, 0, OWL::Handler(&TBmpTxtButton::EvMouseLeave)},
      {WM_TIMER, 0, OWL::Handler(&TBmpTxtButton::EvTimer)},
      {WM_THEMECHANGED, 0, OWL::Handler(&TBmpTxtButton::EvThemeChanged)},
      {WM_RBUTTONDOWN, 0, OWL::Handler(&TBmpTxtButton::EvOtherButtonDown)},
      {WM_MBUTTONDOWN, 0, OWL::Handler(&TBmpTxtButton::EvOtherButtonDown)},
      {WM_CANCELMODE, 0, OWL::Handler(&TBmpTxtButton::EvCancelMode)},
      {WM_KILLFOCUS, 0, OWL::Handler(&TBmpTxtButton::EvKillFocus)},
      {WM_ENABLE, 0, OWL::Handler(&TBmpTxtButton::EvEnable)},
  };
  return OWL::SearchResponseTable(table, info) || OWL::TGlyphButton::Find(info);
}

void TBmpTxtButton::CloseTooltip() {
  if (GetHandle()) KillTimer(GetHandle(), kTooltipTimer);
  m_popup.reset();
}

void TBmpTxtButton::ReleasePushed() {
  if (!m_toggleMode && IsSet(biPushed)) SendMessage(BM_SETSTATE, 0);
}

void TBmpTxtButton::Leave() {
  m_hot = false;
  ReleasePushed();
  EvKillFocus(WPARAM(GetHandle()), 0);
  Invalidate();
}

LRESULT TBmpTxtButton::EvMouseMove(WPARAM wParam, LPARAM lParam) {
  if (!m_tracking) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, GetHandle(), 0};
    TrackMouseEvent(&track);
    m_tracking = true;
  }
  // After a click the button behaves as a plain glyph button until the pointer leaves.
  if (m_clicked) return OWL::TGlyphButton::EvMouseMove(wParam, lParam);
  if (!m_popupShown && !m_tooltip.IsEmpty()) SetTimer(GetHandle(), kTooltipTimer, kTooltipTickMs, nullptr);
  const bool inside = ContainsClientPoint(lParam);
  if (ClassicButton()) {
    if (inside) {
      m_hot = true;
    } else if (m_hot) {
      m_hot = false;
      if (IsSet(biPushed)) SendMessage(BM_SETSTATE, 0);
    }
  } else if (inside && !m_hot) {
    m_hot = true;
    OWL::TGlyphButton::EvSetFocus(WPARAM(GetHandle()), 0);
    Invalidate();
  } else if (!inside && m_hot) {
    Leave();
  }
  return 0;
}

LRESULT TBmpTxtButton::EvLButtonDown(WPARAM wParam, LPARAM lParam) {
  OWL::TGlyphButton::EvLButtonDown(wParam, lParam);
  SetCapture(GetHandle());
  if (m_popup) {
    CloseTooltip();
    m_popupShown = false;
  }
  m_hot = true;
  Invalidate();
  return 0;
}

LRESULT TBmpTxtButton::EvLButtonUp(WPARAM, LPARAM lParam) {
  if (GetCapture() == GetHandle()) {
    if (!(m_toggleMode && !m_toggled)) SendMessage(BM_SETSTATE, 0);
    if (m_toggleMode) m_toggled = !m_toggled;
    if (ContainsClientPoint(lParam)) Click();
  }
  ReleaseCapture();
  m_clicked = true;
  Invalidate();
  return 0;
}

LRESULT TBmpTxtButton::EvMouseLeave(WPARAM, LPARAM) {
  if (!m_tooltip.IsEmpty()) {
    CloseTooltip();
    m_popupShown = false;
  }
  if (m_hot) Leave();
  m_tracking = false;
  m_clicked = false;
  return 0;
}

// Every 500 ms while the pointer rests on the button: the tooltip opens on the first tick and
// closes once it has shown for five seconds; it does not come back until the pointer has left.
LRESULT TBmpTxtButton::EvTimer(WPARAM timer, LPARAM lParam) {
  if (timer != kTooltipTimer) return DefaultProcessing(WM_TIMER, timer, lParam);
  if ((!m_toggleMode && IsSet(biPushed)) || m_clicked) {
    CloseTooltip();
    return 0;
  }
  if (m_tooltip.IsEmpty()) return 0;
  m_hoverMs += int(kTooltipTickMs);
  if (m_hoverMs > kTooltipLifetimeMs) {
    CloseTooltip();
    m_hoverMs = 0;
  } else if (!m_popup) {
    POINT cursor{};
    GetCursorPos(&cursor);
    m_popup = std::make_unique<Quor::Popup>(
        this, OWL::TPoint(cursor.x + kTooltipOffset.x, cursor.y + kTooltipOffset.y), m_tooltip);
    m_popupShown = true;
  }
  return 0;
}

LRESULT TBmpTxtButton::EvThemeChanged(WPARAM, LPARAM) {
  CloseTheme();
  if (Quor::IsWindowsXPOrLater()) {
    m_theme = QuorLinkingUtils::OpenThemeData(GetHandle(), m_themeClass);
    // Even without a theme: the next paint finds out and falls back to classic drawing.
    m_classic = false;
  } else {
    m_classic = true;
  }
  return 0;
}

LRESULT TBmpTxtButton::EvKeyUp(WPARAM key, LPARAM lParam) {
  OWL::TGlyphButton::EvKeyUp(key, lParam);
  if (key == VK_TAB) {
    m_keyboardCue = true;
    Clear(biDefault);
  }
  Invalidate();
  return 0;
}

LRESULT TBmpTxtButton::EvKeyDown(WPARAM key, LPARAM lParam) {
  OWL::TGlyphButton::EvKeyDown(key, lParam);
  if (!m_tooltip.IsEmpty()) CloseTooltip();
  Invalidate();
  return 0;
}

LRESULT TBmpTxtButton::EvOtherButtonDown(WPARAM, LPARAM) {
  if (!m_tooltip.IsEmpty()) CloseTooltip();
  return 0;
}

LRESULT TBmpTxtButton::EvKillFocus(WPARAM, LPARAM) {
  Clear(biFocus);
  if (IsSet(biPushed)) {
    if (GetCapture() == GetHandle()) ReleaseCapture();
    if (!m_toggleMode) Clear(biPushed);
  }
  Invalidate();
  return 0;
}

LRESULT TBmpTxtButton::EvCancelMode(WPARAM, LPARAM) {
  if (GetCapture() == GetHandle()) ReleaseCapture();
  if (!m_toggleMode) Clear(biPushed);
  Invalidate();
  return 0;
}

LRESULT TBmpTxtButton::EvEnable(WPARAM enabled, LPARAM) {
  if (enabled) {
    Clear(biDisabled);
  } else {
    if (GetCapture() == GetHandle()) ReleaseCapture();
    if (!m_toggleMode) Clear(biPushed);
    Set(biDisabled);
  }
  Invalidate();
  return 0;
}

void TBmpTxtButton::PaintFrame(OWL::TDC& dc, OWL::TRect& rect) {
  if (ClassicButton()) OWL::TGlyphButton::PaintFrame(dc, rect);
}

void TBmpTxtButton::PaintDefaultRect(OWL::TDC& dc, OWL::TRect& rect) {
  if (m_classic) OWL::TGlyphButton::PaintDefaultRect(dc, rect);
}

void TBmpTxtButton::PaintFace(OWL::TDC& dc, const OWL::TRect& rect) {
  if (m_classic) return PaintClassicFace(dc, rect);
  const HTHEME theme = QuorLinkingUtils::OpenThemeData(GetHandle(), m_themeClass);
  if (!theme) {
    m_classic = true;
    return PaintClassicFace(dc, rect);
  }
  const int state = IsSet(biDisabled) ? kStateDisabled
                    : IsSet(biPushed) ? kStatePressed
                    : IsSet(biFocus)  ? kStateHot
                    : IsSet(biDefault) ? kStateDefaulted
                                       : kStateNormal;
  if (m_parentBrush) {
    const auto brush = HBRUSH(SendMessageW(GetParentH(), WM_CTLCOLORBTN, WPARAM(dc.GetHDC()), LPARAM(GetHandle())));
    FillRect(dc, &rect, brush);
  } else {
    QuorLinkingUtils::DrawThemeParentBackground(GetHandle(), dc, &rect);
  }
  QuorLinkingUtils::DrawThemeBackground(theme, dc, kPushButtonPart, state, &rect);
  PaintGlyphAndText(dc, rect, true);
  QuorLinkingUtils::CloseThemeData(theme);
}

void TBmpTxtButton::PaintClassicFace(OWL::TDC& dc, const OWL::TRect& rect) {
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  PaintGlyphAndText(dc, rect, false);
}

void TBmpTxtButton::PaintGlyphAndText(OWL::TDC& dc, const OWL::TRect& face, bool themed) {
  const bool pushed = IsSet(biPushed), disabled = IsSet(biDisabled);
  TGlyphType cell = gtUp;
  if (pushed && IsSet(biGtDown))
    cell = gtDown;
  else if (disabled && IsSet(biGtDisabled))
    cell = gtDisabled;
  const OWL::TBitmap* glyph = GetGlyph(cell);
  OWL::TRect glyphRect(0, 0, glyph ? glyph->Width() : 0, glyph ? glyph->Height() : 0);

  const std::u16string caption = WithoutAmpersands(GetText());
  const bool showText = IsSet(biShowText) && !caption.empty();
  // The font: the button's own, else its parent's, else one made for this paint.
  HFONT font = GetFont();
  if (!font) font = HFONT(SendMessageW(GetParentH(), WM_GETFONT, 0, 0));
  std::unique_ptr<OWL::TFont> madeFont;
  if (!font) {
    LOGFONTW description{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    madeFont = std::make_unique<OWL::TFont>(description);
    font = *madeFont;
  }
  const HGDIOBJ previousFont = SelectObject(dc, font);

  OWL::TRect textRect;
  if (showText) {
    RECT measured{0, 0, face.Width() - glyphRect.Width(), kMeasureHeight};
    DrawTextW(dc, caption.c_str(), -1, &measured, kMeasureFormat);
    textRect = OWL::TRect(0, 0, measured.right - measured.left, measured.bottom - measured.top);
  }
  const int measuredHeight = textRect.Height();
  LayoutTextGlyph(face, textRect, glyphRect);
  if (themed && measuredHeight > textRect.Height()) {
    textRect.top = (face.top + face.bottom) / 2 - int(std::floor(measuredHeight * 0.5 + 0.5));
    textRect.bottom = textRect.top + measuredHeight;
  }
  // The classic push button's contents move down and right while it is pushed.
  if (!themed && pushed && m_themeClass == kButtonClass) {
    if (cell != gtDown) glyphRect.Offset(1, 1);
    textRect.Offset(1, 1);
  }
  if (glyph && glyph->IsValid()) PaintGlyph(dc, glyphRect, *glyph);
  if (showText) PaintText(dc, caption, textRect);
  if (IsSet(biFocus) && (!themed || m_keyboardCue)) PaintFocusRect(dc, face);
  SelectObject(dc, previousFont);
}

// Enabled, the glyph's top-left colour is transparent; disabled, it is drawn pale grey with
// opaque silver transparent.
void TBmpTxtButton::PaintGlyph(OWL::TDC& dc, const OWL::TRect& place, const OWL::TBitmap& glyph) const {
  if (IsSet(biDisabled) && !IsSet(biGtDisabled)) {
    DrawGlyphFace(dc, *GlyphImage(dc, glyph), place.TopLeft(), place, kFaceDisabled, false);
    return;
  }
  OWL::TMemoryDC memory(dc);
  memory.SelectObject(glyph);
  TransparentBlt(dc, place.left, place.top, glyph.Width(), glyph.Height(), memory, 0, 0, glyph.Width(),
                 glyph.Height(), GetPixel(memory, 0, 0));
  memory.RestoreObjects();
}

void TBmpTxtButton::PaintText(OWL::TDC& dc, const std::u16string& text, OWL::TRect& place) const {
  const bool disabled = IsSet(biDisabled);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  if (disabled && kSystemHas3dLook) {
    // Embossed: the highlight one pixel down and right, the shadow over it.
    RECT raised = place.OffsetBy(1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, text.c_str(), -1, &raised, kTextFormat);
  }
  const COLORREF colour = !disabled ? GetSysColor(COLOR_BTNTEXT)
                          : kSystemHas3dLook ? GetSysColor(COLOR_BTNSHADOW)
                                             : GetSysColor(COLOR_GRAYTEXT);
  const COLORREF previousColour = SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), -1, &place, kTextFormat);
  SetTextColor(dc, previousColour);
  SetBkMode(dc, previousMode);
}

void TBmpTxtButton::PaintFocusRect(OWL::TDC& dc, const OWL::TRect& rect) {
  if (m_classic && m_themeClass == kToolbarClass) {
    const OWL::TRect client = GetClientRect();
    const int right = client.Width() - 1, bottom = client.Height() - 1;
    const RECT highlight[] = {{0, 0, right, 1}, {0, 0, 1, bottom}};
    const RECT shadow[] = {{right, 0, right + 1, bottom + 1}, {0, bottom, right + 1, bottom + 1}};
    for (const RECT& edge : highlight) FillRect(dc, &edge, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    for (const RECT& edge : shadow) FillRect(dc, &edge, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    const int inset = m_classic ? 2 : 3;
    const OWL::TRect focus = rect.InflatedBy(-inset, -inset);
    DrawFocusRect(dc, &focus);
  }
  m_keyboardCue = false;
}

}  // namespace QuorControls
