// A GDI+ path: figures of straight segments, each open or closed. Owned by whoever made it.
#pragma once

#include <vector>

#include "platform/gdiplus/types.h"

namespace Gdiplus {

class GraphicsPath {
 public:
  struct Figure {
    std::vector<PointF> points;
    bool closed = false;
  };

  GraphicsPath() = default;

  // Continues the open figure with lines through the points (a new figure when none is open).
  Status AddLine(REAL x1, REAL y1, REAL x2, REAL y2);
  Status AddLines(const PointF* points, INT count);
  // Adds a closed figure of the rectangle's four corners.
  Status AddRectangle(const RectF& rect);
  Status StartFigure();
  Status CloseFigure();
  Status Reset();
  INT GetPointCount() const;
  Status GetBounds(RectF* bounds) const;
  Status GetLastStatus() const { return m_status; }

  const std::vector<Figure>& Figures() const { return m_figures; }

 private:
  Status Report(Status status) const { return m_status = status; }
  Figure& OpenFigure();

  std::vector<Figure> m_figures;
  bool m_figureOpen = false;
  mutable Status m_status = Ok;
};

}  // namespace Gdiplus
