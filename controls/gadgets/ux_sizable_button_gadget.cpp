#include "controls/gadgets/ux_sizable_button_gadget.h"

#include <algorithm>
#include <utility>

#include "controls/dpi/window_dpi.h"
#include "controls/drawing/opaque_image.h"
#include "controls/gadgets/glyph_face.h"
#include "controls/gadgets/ux_sizable_button_gadget_enabler.h"
#include "controls/gdiplus_starter.h"
#include "controls/theme/ux_theme_dll.h"
#include "core/gdiplus_bitmap_resource.h"
#include "platform/gdiplus/brushes.h"
#include "platform/gdiplus/graphics.h"
#include "platform/owl/application.h"
#include "platform/owl/gadgets/command_enabler.h"
#include "platform/owl/gadgets/gadget_window.h"
#include "platform/win32/bitmap_resources.h"
#include "platform/win32/monitors.h"

namespace {

const char16_t* const kToolbarClass = u"TOOLBAR";
const char16_t* const kButtonClass = u"BUTTON";

// A copy of the image's pixels, which this platform keeps premultiplied as it draws them.
std::unique_ptr<Gdiplus::Bitmap> CopyOf(Gdiplus::Bitmap& image) {
  auto copy = std::make_unique<Gdiplus::Bitmap>(INT(image.GetWidth()), INT(image.GetHeight()));
  for (UINT y = 0; y < image.GetHeight(); ++y)
    for (UINT x = 0; x < image.GetWidth(); ++x) {
      Gdiplus::Color colour;
      image.GetPixel(INT(x), INT(y), &colour);
      copy->SetPixel(INT(x), INT(y), colour);
    }
  return copy;
}

// The bitmap resource of that name as an opaque image, or null.
std::unique_ptr<Gdiplus::Bitmap> FromBitmapResource(HINSTANCE module, LPCWSTR name) {
  const HBITMAP bitmap = LoadBitmapW(module, name);
  if (!bitmap) return nullptr;
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  std::unique_ptr<Gdiplus::Bitmap> image;
  if (info.bmWidth > 0 && info.bmHeight > 0) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    image = OpaqueImageOf(dc, info.bmWidth, info.bmHeight);
    SelectObject(dc, previous);
    DeleteDC(dc);
  }
  DeleteObject(bitmap);
  return image;
}

}  // namespace

UxSizableButtonGadget::UxSizableButtonGadget(int id, int glyphResource)
    : TButtonTextGadget(id, MAKEINTRESOURCEW(glyphResource), sBitmap, Command, true, Up, false, 4) {
  StartUp();
}

UxSizableButtonGadget::UxSizableButtonGadget(int glyphResource, int id, TType type)
    : TButtonTextGadget(id, MAKEINTRESOURCEW(glyphResource), sBitmap, type, true, Up, false, 0) {
  Flags() |= kFlag08;
  StartUp();
}

UxSizableButtonGadget::UxSizableButtonGadget(std::unique_ptr<Gdiplus::Bitmap> glyph, int themeKind, TStyle style,
                                             TType type, bool enabled, TState state, bool shared, UINT numChars)
    : TButtonTextGadget(214, nullptr, style, type, enabled, state, shared, numChars),
      m_themeKind(themeKind),
      m_glyph(std::move(glyph)) {
  StartUp();
}

UxSizableButtonGadget::~UxSizableButtonGadget() { CloseTheme(); }

void UxSizableButtonGadget::StartUp() {
  EnsureGdiplusStarter();
  const OWL::TApplication* application = OWL::GetApplicationObject();
  if (application && application->GetMainWindowHandle()) OpenTheme(application->GetMainWindowHandle());
  UpdateGlyphSize();
}

void UxSizableButtonGadget::OpenTheme(HWND window) {
  m_theme = QuorLinkingUtils::OpenThemeData(window, m_themeKind == kThemeButton ? kButtonClass : kToolbarClass);
}

void UxSizableButtonGadget::CloseTheme() {
  if (m_theme) QuorLinkingUtils::CloseThemeData(m_theme);
  m_theme = nullptr;
}

bool UxSizableButtonGadget::EnsureGlyph() {
  if (!m_glyph && GetResId() && GetGadgetWindow() && GetGadgetWindow()->GetModule()) {
    const HINSTANCE module = GetGadgetWindow()->GetModule()->GetHandle();
    TGdiPlusBitmapResource png;
    if (png.Load(GetResId(), module)) {
      m_glyph = CopyOf(*png.GetBitmap());
      m_glyphPremultiplied = true;
    } else {
      m_glyph = FromBitmapResource(module, GetResId());
      m_glyphPremultiplied = false;
    }
    UpdateGlyphSize();
  }
  return m_glyph != nullptr;
}

void UxSizableButtonGadget::UpdateGlyphSize() {
  m_glyphSize = m_glyph ? OWL::TSize(int(m_glyph->GetWidth()), int(m_glyph->GetHeight())) : OWL::TSize(0, 0);
}

std::unique_ptr<Gdiplus::Bitmap> UxSizableButtonGadget::SetGlyphImage(int which,
                                                                      std::unique_ptr<Gdiplus::Bitmap> image) {
  std::unique_ptr<Gdiplus::Bitmap> replaced;
  if (which == 0) {
    replaced = std::exchange(m_glyph, std::move(image));
    m_glyphPremultiplied = false;
    UpdateGlyphSize();
  } else if (which == 1) {
    replaced = std::exchange(m_alternate, std::move(image));
  } else {
    return nullptr;
  }
  if (OWL::TGadgetWindow* window = GetGadgetWindow(); window && window->GetHandle()) {
    window->LayoutSession();
    if (GetStyle() & sBitmap) {
      OWL::TClientDC dc(window->GetHandle());
      PaintGlyph(dc);
    }
  }
  return replaced;
}

OWL::TSize UxSizableButtonGadget::GetSizedGlyphSize() {
  OWL::TSize size;
  TGadget::GetDesiredSize(size);
  EnsureGlyph();
  const WindowDpi dpi = GetWindowDpi(nullptr);
  const SIZE extent = SizedGlyphExtent(m_glyphSize, dpi.x, dpi.y);
  if (ShrinkWrapWidth()) size.cx += extent.cx;
  if (ShrinkWrapHeight()) size.cy += extent.cy;
  return size;
}

void UxSizableButtonGadget::GetDesiredSize(OWL::TSize& size) {
  if (!IsVisible()) {
    size = OWL::TSize(0, 0);
    return;
  }
  if (GetStyle() & sBitmap)
    size = GetSizedGlyphSize();
  else
    TGadget::GetDesiredSize(size);
  if (!(GetStyle() & sText)) return;
  OWL::TSize base;
  TGadget::GetDesiredSize(base);
  const OWL::TSize text = GetTextSize();
  const bool beside = GetLayoutStyle() == lTextLeft || GetLayoutStyle() == lTextRight;
  if (beside) {
    size.cx += text.cx;
    size.cy = std::max<int>(size.cy, text.cy + base.cy);
  } else {
    size.cx = std::max<int>(size.cx, text.cx + base.cx);
    size.cy += text.cy;
  }
}

void UxSizableButtonGadget::LayoutTextGlyph(const OWL::TRect& inner, OWL::TRect& text, OWL::TRect& glyph) {
  const int style = GetStyle();
  if (style == sBitmap) {
    glyph = inner;
    return;
  }
  if (style == sText) {
    text = inner;
    return;
  }
  const OWL::TSize size = GetTextSize();
  switch (GetLayoutStyle()) {
    case lTextLeft:
      text = OWL::TRect(inner.left, inner.top, inner.left + size.cx, inner.bottom);
      glyph = OWL::TRect(inner.left + size.cx + 2, inner.top, inner.right, inner.bottom);
      break;
    case lTextTop:
      text = OWL::TRect(inner.left, inner.top, inner.right, inner.top + size.cy);
      glyph = OWL::TRect(inner.left, inner.top + size.cy + 2, inner.right, inner.bottom + 2);
      break;
    case lTextRight:
      glyph = OWL::TRect(inner.left, inner.top, inner.left + m_glyphSize.cx, inner.bottom);
      text = OWL::TRect(glyph.right + 2, inner.top, inner.right, inner.bottom);
      break;
    case lTextBottom:
      text = OWL::TRect(inner.left, inner.bottom - size.cy, inner.right, inner.bottom);
      glyph = OWL::TRect(inner.left, inner.top, inner.right, inner.bottom - size.cy);
      break;
  }
}

OWL::TRect UxSizableButtonGadget::GlyphRect() const {
  OWL::TRect text, glyph;
  const_cast<UxSizableButtonGadget*>(this)->LayoutTextGlyph(GetInnerRect(), text, glyph);
  return glyph;
}

OWL::TRect UxSizableButtonGadget::TextRect() const {
  OWL::TRect text, glyph;
  const_cast<UxSizableButtonGadget*>(this)->LayoutTextGlyph(GetInnerRect(), text, glyph);
  return text;
}

void UxSizableButtonGadget::SetBounds(const OWL::TRect& bounds) {
  TButtonTextGadget::SetBounds(bounds);
  if (GetStyle() & sBitmap) m_glyphOrigin = CentredGlyphOrigin(GlyphRect(), m_glyphSize);
}

void UxSizableButtonGadget::CommandEnable() {
  OWL::TGadgetWindow* window = GetGadgetWindow();
  if (!window || !window->GetHandle()) return;
  UxSizableButtonGadgetEnabler enabler(*this, window->GetHandle());
  window->SendMessage(OWL::WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&enabler));
}

void UxSizableButtonGadget::SysColorChange() {
  CloseTheme();
  if (GetGadgetWindow() && QuorLinkingUtils::IsAppThemed() && QuorLinkingUtils::IsThemeActive())
    OpenTheme(GetGadgetWindow()->GetHandle());
}

void UxSizableButtonGadget::Created() {
  if (!m_theme && GetGadgetWindow()) OpenTheme(GetGadgetWindow()->GetHandle());
}

void UxSizableButtonGadget::Paint(OWL::TDC& dc) {
  if (!IsVisible()) return;
  const OWL::TRect bounds = GetBounds();
  OWL::TMemoryDC memory(dc);
  OWL::TBitmap surface(dc, bounds.Width(), bounds.Height());
  memory.SelectObject(surface);
  memory.BitBlt(OWL::TRect(0, 0, bounds.Width(), bounds.Height()), dc, bounds.TopLeft());
  // Drawn in the window's coordinates, shifted onto the bitmap.
  SetViewportOrgEx(memory, -bounds.left, -bounds.top, nullptr);
  PaintBorder(memory);
  if (GetStyle() & sText) PaintText(memory, TextRect(), GetText());
  if (GetStyle() & sBitmap) PaintGlyph(memory);
  SetViewportOrgEx(memory, 0, 0, nullptr);
  dc.BitBlt(bounds, memory, OWL::TPoint(0, 0));
  memory.RestoreObjects();
}

void UxSizableButtonGadget::PaintBorder(OWL::TDC& dc) {
  if (!m_theme) {
    TButtonTextGadget::PaintBorder(dc);
    return;
  }
  const OWL::TRect bounds = GetBounds();
  // The theme draws from the gadget's top-left.
  POINT previous{};
  SetViewportOrgEx(dc, 0, 0, &previous);
  SetViewportOrgEx(dc, previous.x + bounds.left, previous.y + bounds.top, nullptr);
  PaintThemedBackground(dc, OWL::TRect(0, 0, bounds.Width(), bounds.Height()));
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

int UxSizableButtonGadget::SettleThemeState() {
  if (IsEnabled())
    m_look &= ~UINT(kLookDisabled);
  else
    m_look = (m_look | kLookDisabled) & ~UINT(kLookHot);
  int state = 1;
  if (m_look & kLookHot) state = 2;
  if ((m_look & kLookPressed) || GetButtonState() == Down) state = 3;
  if (m_look & kLookDisabled) state = 4;
  return state;
}

bool UxSizableButtonGadget::IsDownLook() const { return (m_look & kLookPressed) || GetButtonState() == Down; }

void UxSizableButtonGadget::FillHighlight(OWL::TDC& dc, const OWL::TRect& rect, bool pulse) {
  const OWL::TRect inside(rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
  Gdiplus::Graphics graphics(dc);
  if (IsDownLook() && IsEnabled()) {
    const Gdiplus::SolidBrush pressed(Gdiplus::Color(0x14007ED2));
    graphics.FillRectangle(&pressed, Gdiplus::REAL(inside.left), Gdiplus::REAL(inside.top),
                           Gdiplus::REAL(inside.Width()), Gdiplus::REAL(inside.Height()));
  } else if (pulse && (m_animation & 0x3)) {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    const Gdiplus::SolidBrush glow(Gdiplus::Color(PulseAlpha(now), 0xC8, 0xF0, 0xFF));
    graphics.FillRectangle(&glow, Gdiplus::REAL(inside.left), Gdiplus::REAL(inside.top),
                           Gdiplus::REAL(inside.Width()), Gdiplus::REAL(inside.Height()));
  }
}

void UxSizableButtonGadget::PaintThemedBackground(OWL::TDC& dc, const OWL::TRect& rect) {
  const int state = SettleThemeState();
  if (GetGadgetWindow()) QuorLinkingUtils::DrawThemeParentBackground(GetGadgetWindow()->GetHandle(), dc, &rect);
  QuorLinkingUtils::DrawThemeBackground(m_theme, dc, 1, state, &rect);
  FillHighlight(dc, rect, true);
}

void UxSizableButtonGadget::PaintGlyph(OWL::TDC& dc) {
  if (!EnsureGlyph()) return;
  const bool down = GetButtonState() == Down;
  Gdiplus::Bitmap& image = down && m_alternate ? *m_alternate : *m_glyph;
  const bool premultiplied = &image == m_glyph.get() && m_glyphPremultiplied;
  int state = kFaceNormal;
  POINT origin = m_glyphOrigin;
  if (!IsEnabled()) {
    state = kFaceDisabled;
  } else if (GetButtonState() == Indeterminate) {
    state = kFaceIndeterminate;
  } else if (down) {
    state = kFaceDown;
    if (IsPressed() && GetGadgetWindow() && GetGadgetWindow()->IsFlatStyle()) origin.x += 1, origin.y += 1;
  }
  DrawGlyphFace(dc, image, origin, GlyphRect(), state, premultiplied);
}

void UxSizableButtonGadget::PaintText(OWL::TDC& dc, const OWL::TRect& rect, const std::u16string& text) {
  const HGDIOBJ previousFont = SelectObject(dc, GetEffectiveFont());
  const COLORREF colour = GetSysColor(IsEnabled() ? COLOR_BTNTEXT : COLOR_BTNHIGHLIGHT);
  const COLORREF previousColour = SetTextColor(dc, colour);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  UINT format = DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS | DT_VCENTER;
  format |= GetAlign() == aLeft ? DT_LEFT : GetAlign() == aRight ? DT_RIGHT : DT_CENTER;
  const bool indeterminate = IsEnabled() && GetButtonState() == Indeterminate;
  if (!indeterminate) {
    OWL::TRect area = rect;
    if (!IsEnabled()) {
      // Etched: the highlight one pixel down and right, the shadow over it.
      OWL::TRect shifted(area.left + 1, area.top + 1, area.right + 1, area.bottom + 1);
      dc.DrawText(text, shifted, format);
      SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    }
    dc.DrawText(text, area, format);
  }
  SetBkMode(dc, previousMode);
  SetTextColor(dc, previousColour);
  SelectObject(dc, previousFont);
}

void UxSizableButtonGadget::MouseEnter(UINT modifiers, const OWL::TPoint& point) {
  TButtonTextGadget::MouseEnter(modifiers, point);
  if (IsEnabled()) m_look |= kLookHot;
  Invalidate();
}

void UxSizableButtonGadget::MouseLeave(UINT modifiers, const OWL::TPoint& point) {
  TButtonTextGadget::MouseLeave(modifiers, point);
  m_look &= ~UINT(kLookHot);
  Invalidate();
}

void UxSizableButtonGadget::LButtonDown(UINT modifiers, const OWL::TPoint& point) {
  TButtonTextGadget::LButtonDown(modifiers, point);
  m_look = (m_look | kLookPressed) & ~UINT(kLookHot);
  Invalidate();
}

void UxSizableButtonGadget::LButtonUp(UINT modifiers, const OWL::TPoint& point) {
  TButtonTextGadget::LButtonUp(modifiers, point);
  m_look &= ~UINT(kLookPressed);
  Invalidate();
}

void UxSizableButtonGadget::OnTimer() {
  Invalidate();
  Update();
}

void UxSizableButtonGadget::SetAnimationState(UINT state) {
  if (state == m_animation) return;
  m_animation = state;
  if (state & 0x3) {
    StartTimer(0.1);
  } else {
    StopTimer();
    Invalidate();
  }
}
