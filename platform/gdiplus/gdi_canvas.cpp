// Drawing on a metafile context through its GDI calls, so that what is drawn is held as GDI
// records and saves as a plain EMF. GDI has no transparency: colours are drawn opaque, and fully
// transparent ones not at all; coordinates are rounded to whole device pixels.
#include <algorithm>
#include <cmath>
#include <numbers>

#include <pango/pango.h>
#undef TRUE
#undef FALSE

#include "platform/gdiplus/canvas.h"
#include "platform/gdiplus/image_encoding.h"
#include "platform/win32/gdi.h"

namespace Gdiplus::detail {

namespace {

COLORREF Opaque(ARGB colour) { return RGB(colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF); }

POINT DevicePoint(const Matrix& world, PointF point) {
  world.TransformPoints(&point, 1);
  return POINT{LONG(std::lround(point.X)), LONG(std::lround(point.Y))};
}

std::u16string ToUtf16(const std::string& utf8) {
  glong written = 0;
  gunichar2* units = g_utf8_to_utf16(utf8.c_str(), glong(utf8.size()), nullptr, &written, nullptr);
  std::u16string text;
  if (units) text.assign(reinterpret_cast<const char16_t*>(units), std::size_t(written));
  g_free(units);
  return text;
}

class MetafileContextCanvas : public Canvas {
 public:
  explicit MetafileContextCanvas(HDC dc) : m_dc(dc) {}

  void Stroke(const DrawState& state, const Figures& figures, const StrokeStyle& style) override {
    if ((style.colour >> 24) == 0) return;
    const double scale = state.world.LengthScale();
    std::vector<DWORD> dashes;
    for (double dash : style.dashes) dashes.push_back(DWORD(std::max(1L, std::lround(dash * scale))));
    const LOGBRUSH brush{BS_SOLID, Opaque(style.colour), 0};
    const DWORD kind = PS_GEOMETRIC | PS_ENDCAP_FLAT | (dashes.empty() ? PS_SOLID : PS_USERSTYLE);
    const HPEN pen = ExtCreatePen(kind, DWORD(std::max(1L, std::lround(style.width * scale))), &brush,
                                  DWORD(dashes.size()), dashes.empty() ? nullptr : dashes.data());
    const int saved = Begin(state);
    SelectObject(m_dc, pen);
    SelectObject(m_dc, GetStockObject(NULL_BRUSH));
    for (const GraphicsPath::Figure& figure : figures) {
      std::vector<POINT> points = DevicePoints(state, figure);
      if (figure.closed && !points.empty()) points.push_back(points.front());
      if (points.size() >= 2) Polyline(m_dc, points.data(), int(points.size()));
    }
    RestoreDC(m_dc, saved);
    DeleteObject(pen);
  }

  void Fill(const DrawState& state, const Figures& figures, const FillStyle& style) override {
    if (style.gradient) return FillGradient(state, *style.gradient);
    if ((style.colour >> 24) == 0) return;
    FillOpaque(state, figures, Opaque(style.colour));
  }

  void Text(const DrawState& state, const TextRun& run) override {
    if ((run.colour >> 24) == 0 || run.text.empty()) return;
    const double scale = state.world.LengthScale();
    // The text's own axes on the device: along the baseline, and down the line.
    PointF axis[3] = {run.origin, {run.origin.X + 1, run.origin.Y}, {run.origin.X, run.origin.Y + 1}};
    state.world.TransformPoints(axis, 3);
    const double alongX = (axis[1].X - axis[0].X) / scale, alongY = (axis[1].Y - axis[0].Y) / scale;
    const double angle = std::atan2(alongY, alongX) * 180 / std::numbers::pi;
    LOGFONTW font{};
    font.lfHeight = -LONG(std::lround(run.pixelSize * scale));
    font.lfWeight = FW_NORMAL;
    font.lfEscapement = font.lfOrientation = -LONG(std::lround(angle * 10));
    const std::u16string face = ToUtf16(run.family);
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), font.lfFaceName);
    const std::u16string text = ToUtf16(run.text);
    const HFONT handle = CreateFontIndirectW(&font);
    const int saved = Begin(state);
    SelectObject(m_dc, handle);
    SetBkMode(m_dc, TRANSPARENT);
    SetTextColor(m_dc, Opaque(run.colour));
    SetTextAlign(m_dc, TA_LEFT | TA_TOP);
    SIZE size{};
    GetTextExtentPoint32W(m_dc, text.c_str(), int(text.size()), &size);
    const double share[3] = {0, 0.5, 1};
    const double across = size.cx * share[run.horizontal], down = size.cy * share[run.vertical];
    const double x = axis[0].X - alongX * across + alongY * down;
    const double y = axis[0].Y - alongY * across - alongX * down;
    ExtTextOutW(m_dc, int(std::lround(x)), int(std::lround(y)), 0, nullptr, text.c_str(), UINT(text.size()),
                nullptr);
    RestoreDC(m_dc, saved);
    DeleteObject(handle);
  }

  void Clear(const DrawState& state, ARGB colour) override {
    RECT box{};
    const int saved = Begin(state);
    GetClipBox(m_dc, &box);
    const HBRUSH brush = CreateSolidBrush(Opaque(colour));
    FillRect(m_dc, &box, brush);
    RestoreDC(m_dc, saved);
    DeleteObject(brush);
  }

 private:
  // Saves the context and intersects the clip; returns the saved state for RestoreDC.
  int Begin(const DrawState& state) {
    const int saved = SaveDC(m_dc);
    for (const Quad& quad : state.clip) {
      double left = quad[0].X, right = quad[0].X, top = quad[0].Y, bottom = quad[0].Y;
      for (const PointF& p : quad) {
        left = std::min<double>(left, p.X);
        right = std::max<double>(right, p.X);
        top = std::min<double>(top, p.Y);
        bottom = std::max<double>(bottom, p.Y);
      }
      IntersectClipRect(m_dc, int(std::lround(left)), int(std::lround(top)), int(std::lround(right)),
                        int(std::lround(bottom)));
    }
    return saved;
  }

  std::vector<POINT> DevicePoints(const DrawState& state, const GraphicsPath::Figure& figure) const {
    std::vector<POINT> points;
    points.reserve(figure.points.size());
    for (const PointF& p : figure.points) points.push_back(DevicePoint(state.world, p));
    return points;
  }

  void FillOpaque(const DrawState& state, const Figures& figures, COLORREF colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    const int saved = Begin(state);
    SelectObject(m_dc, GetStockObject(NULL_PEN));
    SelectObject(m_dc, brush);
    for (const GraphicsPath::Figure& figure : figures) {
      const std::vector<POINT> points = DevicePoints(state, figure);
      if (points.size() >= 3) Polygon(m_dc, points.data(), int(points.size()));
    }
    RestoreDC(m_dc, saved);
    DeleteObject(brush);
  }

  // The blend is lost: the focus rectangle is filled with the centre colour as it shows over
  // white, which keeps a shadow's place and depth in the picture.
  void FillGradient(const DrawState& state, const PathGradientBrush& gradient) {
    Color centre;
    gradient.GetCenterColor(&centre);
    if (centre.GetA() == 0) return;
    const RectF outer = gradient.Bounds();
    const REAL width = outer.Width * std::max<REAL>(0, gradient.FocusScaleX());
    const REAL height = outer.Height * std::max<REAL>(0, gradient.FocusScaleY());
    const REAL x = outer.X + (outer.Width - width) / 2, y = outer.Y + (outer.Height - height) / 2;
    const Figures focus = {{{{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}}, true}};
    FillOpaque(state, focus, Opaque(OverWhite(centre.GetValue())));
  }

  HDC m_dc;
};

}  // namespace

std::unique_ptr<Canvas> MakeMetafileContextCanvas(HDC dc) { return std::make_unique<MetafileContextCanvas>(dc); }

}  // namespace Gdiplus::detail
