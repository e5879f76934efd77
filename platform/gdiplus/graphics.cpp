#include "platform/gdiplus/graphics.h"

#include <glib.h>
#undef TRUE
#undef FALSE

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gdiplus/canvas.h"
#include "platform/gdiplus/metafile.h"
#include "platform/gdiplus/startup.h"
#include "platform/win32/screen.h"

namespace Gdiplus {

namespace {

using detail::Figures;

Figures RectangleFigure(REAL x, REAL y, REAL width, REAL height) {
  return {{{{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}}, true}};
}

// An ellipse as a closed polygon fine enough that its segments stay under a device pixel or so.
Figures EllipseFigure(const RectF& rect, double scale) {
  const double rx = rect.Width / 2.0, ry = rect.Height / 2.0;
  const double cx = rect.X + rx, cy = rect.Y + ry;
  const double perimeter = 2 * std::numbers::pi * std::max(std::fabs(rx), std::fabs(ry)) * scale;
  const int segments = std::clamp(int(std::ceil(perimeter / 2)), 16, 2048);
  GraphicsPath::Figure figure;
  figure.closed = true;
  for (int i = 0; i < segments; ++i) {
    const double angle = 2 * std::numbers::pi * i / segments;
    figure.points.emplace_back(REAL(cx + rx * std::cos(angle)), REAL(cy + ry * std::sin(angle)));
  }
  return {figure};
}

std::string Utf8(const WCHAR* text, INT length) {
  glong written = 0;
  gchar* utf8 = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(text), length, nullptr, &written, nullptr);
  std::string result = utf8 ? std::string(utf8, std::size_t(written)) : std::string();
  g_free(utf8);
  return result;
}

bool IsMetafileContext(HDC dc) { return GetDeviceCaps(dc, TECHNOLOGY) == DT_METAFILE; }

}  // namespace

Graphics::Graphics(HDC dc) {
  if (!IsGdiplusRunning()) {
    m_status = GdiplusNotInitialized;
  } else if (!dc || GetDeviceCaps(dc, TECHNOLOGY) == 0) {
    m_status = InvalidParameter;
  } else {
    m_canvas = IsMetafileContext(dc) ? detail::MakeMetafileContextCanvas(dc) : detail::MakeSurfaceContextCanvas(dc);
  }
}

Graphics::Graphics(Image* image) {
  if (!IsGdiplusRunning()) {
    m_status = GdiplusNotInitialized;
  } else if (auto* bitmap = dynamic_cast<Bitmap*>(image); bitmap && bitmap->GetLastStatus() == Ok) {
    m_canvas = detail::MakeBitmapCanvas(*bitmap);
  } else if (auto* metafile = dynamic_cast<Metafile*>(image); metafile && metafile->RecordingContext()) {
    m_canvas = detail::MakeMetafileContextCanvas(metafile->RecordingContext());
  } else {
    m_status = image ? WrongState : InvalidParameter;
  }
}

Graphics::~Graphics() = default;

Status Graphics::Usable() const { return m_canvas ? Ok : IsGdiplusRunning() ? InvalidParameter : GdiplusNotInitialized; }

Status Graphics::SetSmoothingMode(SmoothingMode mode) {
  if (mode != SmoothingModeDefault && mode != SmoothingModeNone && mode != SmoothingModeAntiAlias)
    return Report(InvalidParameter);
  m_smoothing = mode;
  return Report(Usable());
}

Status Graphics::SetTransform(const Matrix* matrix) {
  if (!matrix) return Report(InvalidParameter);
  m_world = *matrix;
  return Report(Usable());
}

Status Graphics::GetTransform(Matrix* matrix) const {
  if (!matrix) return InvalidParameter;
  *matrix = m_world;
  return Usable();
}

Status Graphics::ResetTransform() {
  m_world.Reset();
  return Report(Usable());
}

Status Graphics::MultiplyTransform(const Matrix* matrix, MatrixOrder order) {
  if (!matrix) return Report(InvalidParameter);
  m_world.Multiply(matrix, order);
  return Report(Usable());
}

Status Graphics::TranslateTransform(REAL dx, REAL dy, MatrixOrder order) {
  m_world.Translate(dx, dy, order);
  return Report(Usable());
}

Status Graphics::RotateTransform(REAL angle, MatrixOrder order) {
  m_world.Rotate(angle, order);
  return Report(Usable());
}

Status Graphics::ScaleTransform(REAL sx, REAL sy, MatrixOrder order) {
  m_world.Scale(sx, sy, order);
  return Report(Usable());
}

GraphicsState Graphics::Save() {
  m_saved.push_back({m_nextState, m_world, m_clip, m_smoothing});
  Report(Usable());
  return m_nextState++;
}

Status Graphics::Restore(GraphicsState state) {
  auto it = std::find_if(m_saved.begin(), m_saved.end(), [state](const Saved& s) { return s.id == state; });
  if (it == m_saved.end()) return Report(InvalidParameter);
  m_world = it->world;
  m_clip = it->clip;
  m_smoothing = it->smoothing;
  m_saved.erase(it, m_saved.end());
  return Report(Usable());
}

Status Graphics::SetClip(const Region* region, CombineMode mode) {
  if (!region || (mode != CombineModeReplace && mode != CombineModeIntersect)) return Report(InvalidParameter);
  if (mode == CombineModeReplace) m_clip.clear();
  if (!region->IsInfinite()) {
    const RectF r = region->Rect();
    std::array<PointF, 4> quad = {PointF(r.X, r.Y), PointF(r.X + r.Width, r.Y),
                                  PointF(r.X + r.Width, r.Y + r.Height), PointF(r.X, r.Y + r.Height)};
    m_world.TransformPoints(quad.data(), 4);
    m_clip.push_back(quad);
  }
  return Report(Usable());
}

Status Graphics::IntersectClip(const RectF& rect) {
  const Region region(rect);
  return SetClip(&region, CombineModeIntersect);
}

Status Graphics::ResetClip() {
  m_clip.clear();
  return Report(Usable());
}

detail::DrawState Graphics::State() const {
  return {m_world, m_clip, m_smoothing == SmoothingModeAntiAlias};
}

Status Graphics::Clear(const Color& colour) {
  if (Usable() != Ok) return Report(Usable());
  m_canvas->Clear(State(), colour.GetValue());
  return Report(Ok);
}

Status Graphics::Stroke(const Pen* pen, const Figures& figures) {
  if (!pen) return Report(InvalidParameter);
  if (Usable() != Ok) return Report(Usable());
  detail::StrokeStyle style;
  style.colour = pen->GetColor().GetValue();
  const double scale = m_world.LengthScale();
  // A pen in pixels keeps its width whatever the transform does to world units.
  style.width = pen->GetUnit() == UnitWorld || scale == 0 ? pen->GetWidth() : pen->GetWidth() / scale;
  for (REAL dash : pen->DashesDrawn()) style.dashes.push_back(dash * style.width);
  m_canvas->Stroke(State(), figures, style);
  return Report(Ok);
}

Status Graphics::Fill(const Brush* brush, const Figures& figures) {
  if (!brush) return Report(InvalidParameter);
  if (Usable() != Ok) return Report(Usable());
  detail::FillStyle style;
  if (auto* solid = dynamic_cast<const SolidBrush*>(brush)) {
    Color colour;
    solid->GetColor(&colour);
    style.colour = colour.GetValue();
  } else if (auto* gradient = dynamic_cast<const PathGradientBrush*>(brush); gradient && gradient->GetLastStatus() == Ok) {
    style.gradient = gradient;
  } else {
    return Report(InvalidParameter);
  }
  m_canvas->Fill(State(), figures, style);
  return Report(Ok);
}

Status Graphics::DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
  return Stroke(pen, {{{{x1, y1}, {x2, y2}}, false}});
}

Status Graphics::DrawLine(const Pen* pen, INT x1, INT y1, INT x2, INT y2) {
  return DrawLine(pen, REAL(x1), REAL(y1), REAL(x2), REAL(y2));
}

Status Graphics::DrawLines(const Pen* pen, const PointF* points, INT count) {
  if (!points || count < 2) return Report(InvalidParameter);
  return Stroke(pen, {{std::vector<PointF>(points, points + count), false}});
}

Status Graphics::DrawRectangle(const Pen* pen, const RectF& rect) {
  return Stroke(pen, RectangleFigure(rect.X, rect.Y, rect.Width, rect.Height));
}

Status Graphics::DrawRectangle(const Pen* pen, REAL x, REAL y, REAL width, REAL height) {
  return Stroke(pen, RectangleFigure(x, y, width, height));
}

Status Graphics::FillRectangle(const Brush* brush, const RectF& rect) {
  return Fill(brush, RectangleFigure(rect.X, rect.Y, rect.Width, rect.Height));
}

Status Graphics::FillRectangle(const Brush* brush, REAL x, REAL y, REAL width, REAL height) {
  return Fill(brush, RectangleFigure(x, y, width, height));
}

Status Graphics::DrawEllipse(const Pen* pen, const RectF& rect) {
  return Stroke(pen, EllipseFigure(rect, m_world.LengthScale()));
}

Status Graphics::DrawEllipse(const Pen* pen, REAL x, REAL y, REAL width, REAL height) {
  return DrawEllipse(pen, RectF(x, y, width, height));
}

Status Graphics::DrawPath(const Pen* pen, const GraphicsPath* path) {
  if (!path) return Report(InvalidParameter);
  return Stroke(pen, path->Figures());
}

Status Graphics::FillPath(const Brush* brush, const GraphicsPath* path) {
  if (!path) return Report(InvalidParameter);
  return Fill(brush, path->Figures());
}

Status Graphics::DrawString(const WCHAR* text, INT length, const Font* font, const RectF& layout,
                            const StringFormat* format, const Brush* brush) {
  if (!text || !font || !brush || length < -1) return Report(InvalidParameter);
  if (font->GetLastStatus() != Ok) return Report(font->GetLastStatus());
  auto* solid = dynamic_cast<const SolidBrush*>(brush);
  if (!solid) return Report(NotImplemented);
  if (Usable() != Ok) return Report(Usable());
  detail::TextRun run;
  run.text = Utf8(text, length);
  run.family = font->Family().InstalledName();
  run.pixelSize = font->PixelSize();
  Color colour;
  solid->GetColor(&colour);
  run.colour = colour.GetValue();
  if (format) {
    run.horizontal = format->GetAlignment();
    run.vertical = format->GetLineAlignment();
  }
  // The anchor is the point of the layout rectangle that the alignments name.
  const REAL share[3] = {0, 0.5f, 1};
  run.origin = PointF(layout.X + layout.Width * share[run.horizontal], layout.Y + layout.Height * share[run.vertical]);
  m_canvas->Text(State(), run);
  return Report(Ok);
}

Status Graphics::MeasureString(const WCHAR* text, INT length, const Font* font, const RectF& layout,
                               const StringFormat* format, RectF* box) const {
  if (!text || !font || !box || length < -1) return InvalidParameter;
  if (font->GetLastStatus() != Ok) return font->GetLastStatus();
  if (Usable() != Ok) return Usable();
  detail::TextRun run;
  run.text = Utf8(text, length);
  run.family = font->Family().InstalledName();
  run.pixelSize = font->PixelSize();
  const RectF size = detail::MeasureText(run);
  const StringAlignment horizontal = format ? format->GetAlignment() : StringAlignmentNear;
  const StringAlignment vertical = format ? format->GetLineAlignment() : StringAlignmentNear;
  const REAL share[3] = {0, 0.5f, 1};
  *box = RectF(layout.X + (layout.Width - size.Width) * share[horizontal],
               layout.Y + (layout.Height - size.Height) * share[vertical], size.Width, size.Height);
  return Ok;
}

Status Graphics::DrawString(const WCHAR* text, INT length, const Font* font, const PointF& origin,
                            const Brush* brush) {
  return DrawString(text, length, font, RectF(origin.X, origin.Y, 0, 0), nullptr, brush);
}

}  // namespace Gdiplus
