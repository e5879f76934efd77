#include "controls/gadgets/glyph_face.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Rows of the disabled colour matrix: 0.4 cos b cos a, 0.4 cos b sin a, 0.4 sin b, with a = π/4
// and b = 0.6632251157578453.
constexpr double kAngleA = std::numbers::pi / 4;
constexpr double kAngleB = 0.6632251157578453;
const double kRedWeight = 0.4 * std::cos(kAngleB) * std::cos(kAngleA);
const double kGreenWeight = 0.4 * std::cos(kAngleB) * std::sin(kAngleA);
const double kBlueWeight = 0.4 * std::sin(kAngleB);
constexpr double kConstant = 0.4;

bool IsOpaqueSilver(const Gdiplus::Color& c) {
  return c.GetA() == 255 && c.GetR() == 192 && c.GetG() == 192 && c.GetB() == 192;
}

BYTE Blend(BYTE over, BYTE under, BYTE alpha) { return BYTE((over * alpha + under * (255 - alpha) + 127) / 255); }

}  // namespace

BYTE DisabledGlyphChannel(BYTE red, BYTE green, BYTE blue) {
  const double value = kRedWeight * red + kGreenWeight * green + kBlueWeight * blue + kConstant * 255.0;
  return BYTE(std::clamp(std::lround(value), 0L, 255L));
}

void DrawGlyphFace(HDC dc, const Gdiplus::Bitmap& image, POINT origin, const RECT& clip, int state,
                   bool premultiplied) {
  if (state == kFaceIndeterminate) return;
  const int width = int(image.GetWidth()), height = int(image.GetHeight());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const POINT at{origin.x + x, origin.y + y};
      if (!PtInRect(&clip, at)) continue;
      Gdiplus::Color colour;
      image.GetPixel(x, y, &colour);
      if (!premultiplied && IsOpaqueSilver(colour)) continue;
      BYTE r = colour.GetR(), g = colour.GetG(), b = colour.GetB();
      if (state == kFaceDisabled) r = g = b = DisabledGlyphChannel(r, g, b);
      const COLORREF under = GetPixel(dc, at.x, at.y);
      const BYTE alpha = colour.GetA();
      SetPixel(dc, at.x, at.y,
               RGB(Blend(r, GetRValue(under), alpha), Blend(g, GetGValue(under), alpha),
                   Blend(b, GetBValue(under), alpha)));
    }
  }
}

SIZE SizedGlyphExtent(SIZE glyph, int dpiX, int dpiY) {
  const float scaleX = float(dpiX) / 96.0f, scaleY = float(dpiY) / 96.0f;
  return {LONG(float(glyph.cx) * scaleX), LONG(float(glyph.cy) * scaleY)};
}

POINT CentredGlyphOrigin(const RECT& inner, SIZE glyph) {
  return {inner.left + (inner.right - inner.left - glyph.cx) / 2, inner.top + (inner.bottom - inner.top - glyph.cy) / 2};
}

BYTE PulseAlpha(const SYSTEMTIME& now) {
  const double t = (now.wSecond * 1000.0 + now.wMilliseconds) / 1000.0;
  const int alpha = int(128.0 * std::sin(1.2 * std::numbers::pi * t) + 128.0);
  return BYTE(std::clamp(alpha, 0, 255));
}
