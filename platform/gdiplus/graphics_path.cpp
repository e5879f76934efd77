#include "platform/gdiplus/graphics_path.h"

#include <algorithm>

namespace Gdiplus {

GraphicsPath::Figure& GraphicsPath::OpenFigure() {
  if (!m_figureOpen) {
    m_figures.emplace_back();
    m_figureOpen = true;
  }
  return m_figures.back();
}

Status GraphicsPath::AddLine(REAL x1, REAL y1, REAL x2, REAL y2) {
  const PointF points[2] = {{x1, y1}, {x2, y2}};
  return AddLines(points, 2);
}

Status GraphicsPath::AddLines(const PointF* points, INT count) {
  if (!points || count <= 0) return Report(InvalidParameter);
  Figure& figure = OpenFigure();
  figure.points.insert(figure.points.end(), points, points + count);
  return Report(Ok);
}

Status GraphicsPath::AddRectangle(const RectF& rect) {
  m_figures.push_back({{{rect.X, rect.Y},
                        {rect.X + rect.Width, rect.Y},
                        {rect.X + rect.Width, rect.Y + rect.Height},
                        {rect.X, rect.Y + rect.Height}},
                       true});
  m_figureOpen = false;
  return Report(Ok);
}

Status GraphicsPath::StartFigure() {
  m_figureOpen = false;
  return Report(Ok);
}

Status GraphicsPath::CloseFigure() {
  if (m_figureOpen) m_figures.back().closed = true;
  m_figureOpen = false;
  return Report(Ok);
}

Status GraphicsPath::Reset() {
  m_figures.clear();
  m_figureOpen = false;
  return Report(Ok);
}

INT GraphicsPath::GetPointCount() const {
  std::size_t count = 0;
  for (const Figure& figure : m_figures) count += figure.points.size();
  return INT(count);
}

Status GraphicsPath::GetBounds(RectF* bounds) const {
  if (!bounds) return Report(InvalidParameter);
  bool any = false;
  REAL left = 0, top = 0, right = 0, bottom = 0;
  for (const Figure& figure : m_figures) {
    for (const PointF& p : figure.points) {
      left = any ? std::min(left, p.X) : p.X;
      top = any ? std::min(top, p.Y) : p.Y;
      right = any ? std::max(right, p.X) : p.X;
      bottom = any ? std::max(bottom, p.Y) : p.Y;
      any = true;
    }
  }
  *bounds = RectF(left, top, right - left, bottom - top);
  return Report(Ok);
}

}  // namespace Gdiplus
