#include "platform/owl/glyph_button.h"

#include "platform/win32/input.h"
#include "platform/win32/monitors.h"

namespace OWL {

namespace {

constexpr int kGlyphTextGap = 4;
// BM_GETSTATE's bits.
constexpr LRESULT kStatePushed = 0x0004;
constexpr LRESULT kStateFocus = 0x0008;

void FillWith(HDC dc, const RECT& rect, int colourIndex) { FillRect(dc, &rect, GetSysColorBrush(colourIndex)); }

// One one-pixel bevel, `light` on the top and left edges and `dark` on the others; the
// rectangle shrinks by it.
void PaintBevel(HDC dc, TRect& rect, int light, int dark) {
  FillWith(dc, {rect.left, rect.top, rect.right, rect.top + 1}, light);
  FillWith(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, light);
  FillWith(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, dark);
  FillWith(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, dark);
  rect.Inflate(-1, -1);
}

}  // namespace

TGlyphButton::TGlyphButton(TWindow* parent, int resourceId, int type)
    : TButton(parent, resourceId), m_type(type) {}

TGlyphButton::~TGlyphButton() = default;

void TGlyphButton::SetGlyph(std::unique_ptr<TBitmap> glyph, TGlyphType type) {
  static constexpr UINT kCellBits[gtCount] = {biShowGlyph, biGtDown, biGtDisabled};
  if (glyph)
    Set(kCellBits[type]);
  else
    Clear(kCellBits[type]);
  m_glyphs[type] = std::move(glyph);
}

// Double clicks arrive as WM_LBUTTONDBLCLK, which a button takes as another press.
void TGlyphButton::GetWindowClass(WNDCLASSEXW& windowClass) const {
  TButton::GetWindowClass(windowClass);
  windowClass.style |= CS_DBLCLKS;
}

void TGlyphButton::SetupWindow() {
  TButton::SetupWindow();
  Set(biShowText);
  if (!IsWindowEnabled(GetHandle())) Set(biDisabled);
}

void TGlyphButton::Paint(TDC& dc, bool, TRect&) {
  TRect rect = GetClientRect();
  PaintFrame(dc, rect);
  PaintDefaultRect(dc, rect);
  PaintFace(dc, rect);
}

void TGlyphButton::PaintFrame(TDC& dc, TRect& rect) {
  if (IsSet(biPushed)) {
    PaintBevel(dc, rect, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT);
    PaintBevel(dc, rect, COLOR_BTNSHADOW, COLOR_3DLIGHT);
  } else {
    PaintBevel(dc, rect, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
    PaintBevel(dc, rect, COLOR_3DLIGHT, COLOR_BTNSHADOW);
  }
}

void TGlyphButton::PaintDefaultRect(TDC& dc, TRect& rect) {
  if (!IsSet(biDefault)) return;
  FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
  rect.Inflate(-1, -1);
}

void TGlyphButton::PaintFace(TDC& dc, const TRect& rect) {
  FillWith(dc, rect, COLOR_BTNFACE);
  if (IsSet(biFocus)) PaintFocusRect(dc, rect);
}

void TGlyphButton::PaintFocusRect(TDC& dc, const TRect& rect) {
  const TRect focus = rect.InflatedBy(-1, -1);
  DrawFocusRect(dc, &focus);
}

void TGlyphButton::LayoutTextGlyph(const TRect& face, TRect& text, TRect& glyph) const {
  const int glyphWidth = glyph.Width(), glyphHeight = glyph.Height();
  const int textWidth = text.Width(), textHeight = text.Height();
  const int gap = glyphWidth > 0 && textWidth > 0 ? kGlyphTextGap : 0;
  const int left = face.left + (face.Width() - (glyphWidth + gap + textWidth)) / 2;
  const int glyphTop = face.top + (face.Height() - glyphHeight) / 2;
  const int textTop = face.top + (face.Height() - textHeight) / 2;
  glyph = TRect(left, glyphTop, left + glyphWidth, glyphTop + glyphHeight);
  const int textLeft = left + glyphWidth + gap;
  text = TRect(textLeft, textTop, textLeft + textWidth, textTop + textHeight);
}

bool TGlyphButton::Find(TEventInfo& info) {
  static const TResponseTable table{
      {WM_LBUTTONDOWN, 0, Handler(&TGlyphButton::EvLButtonDown)},
      {WM_LBUTTONDBLCLK, 0, Handler(&TGlyphButton::EvLButtonDown)},
      {WM_MOUSEMOVE, 0, Handler(&TGlyphButton::EvMouseMove)},
      {WM_LBUTTONUP, 0, Handler(&TGlyphButton::EvLButtonUp)},
      {WM_KEYDOWN, 0, Handler(&TGlyphButton::EvKeyDown)},
      {WM_KEYUP, 0, Handler(&TGlyphButton::EvKeyUp)},
      {WM_SETFOCUS, 0, Handler(&TGlyphButton::EvSetFocus)},
      {WM_KILLFOCUS, 0, Handler(&TGlyphButton::EvKillFocus)},
      {WM_ENABLE, 0, Handler(&TGlyphButton::EvEnable)},
      {WM_CANCELMODE, 0, Handler(&TGlyphButton::EvCancelMode)},
      {BM_SETSTATE, 0, Handler(&TGlyphButton::BmSetState)},
      {BM_GETSTATE, 0, Handler(&TGlyphButton::BmGetState)},
      {WM_SETFONT, 0, Handler(&TGlyphButton::EvSetFont)},
      {WM_GETFONT, 0, Handler(&TGlyphButton::EvGetFont)},
  };
  return SearchResponseTable(table, info) || TButton::Find(info);
}

void TGlyphButton::SetPushed(bool pushed) {
  if (IsSet(biPushed) == pushed) return;
  if (pushed)
    Set(biPushed);
  else
    Clear(biPushed);
  Invalidate();
}

bool TGlyphButton::ContainsClientPoint(LPARAM point) const {
  return GetClientRect().Contains(TPoint(GET_X_LPARAM(point), GET_Y_LPARAM(point)));
}

LRESULT TGlyphButton::EvLButtonDown(WPARAM, LPARAM) {
  if (GetFocus() != GetHandle()) SetFocus(GetHandle());
  SetPushed(true);
  return 0;
}

// While the button holds the mouse, it shows pushed exactly when the pointer is over it.
LRESULT TGlyphButton::EvMouseMove(WPARAM, LPARAM point) {
  if (GetCapture() == GetHandle()) SetPushed(ContainsClientPoint(point));
  return 0;
}

LRESULT TGlyphButton::EvLButtonUp(WPARAM, LPARAM point) {
  if (GetCapture() != GetHandle()) return 0;
  ReleaseCapture();
  const bool wasPushed = IsSet(biPushed);
  SetPushed(false);
  if (wasPushed && ContainsClientPoint(point)) Click();
  return 0;
}

LRESULT TGlyphButton::EvKeyDown(WPARAM key, LPARAM) {
  if (key == VK_SPACE) SetPushed(true);
  return 0;
}

LRESULT TGlyphButton::EvKeyUp(WPARAM key, LPARAM) {
  if (key != VK_SPACE || !IsSet(biPushed)) return 0;
  SetPushed(false);
  Click();
  return 0;
}

LRESULT TGlyphButton::EvSetFocus(WPARAM, LPARAM) {
  Set(biFocus);
  Invalidate();
  return 0;
}

LRESULT TGlyphButton::EvKillFocus(WPARAM, LPARAM) {
  Clear(biFocus);
  Invalidate();
  return 0;
}

LRESULT TGlyphButton::EvEnable(WPARAM enabled, LPARAM) {
  if (enabled)
    Clear(biDisabled);
  else
    Set(biDisabled);
  Invalidate();
  return 0;
}

LRESULT TGlyphButton::EvCancelMode(WPARAM, LPARAM) {
  if (GetCapture() == GetHandle()) ReleaseCapture();
  SetPushed(false);
  return 0;
}

LRESULT TGlyphButton::BmSetState(WPARAM pushed, LPARAM) {
  SetPushed(pushed != 0);
  return 0;
}

LRESULT TGlyphButton::BmGetState(WPARAM, LPARAM) {
  return (IsSet(biPushed) ? kStatePushed : 0) | (IsSet(biFocus) ? kStateFocus : 0);
}

LRESULT TGlyphButton::EvSetFont(WPARAM font, LPARAM redraw) {
  m_font = reinterpret_cast<HFONT>(font);
  if (redraw) Invalidate();
  return 0;
}

LRESULT TGlyphButton::EvGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_font); }

}  // namespace OWL
