// GDI+ brushes: a solid colour, and the path gradient the drop shadows use, which blends from a
// centre colour over the focus rectangle (the path's bounds scaled about its centre) out to
// the surround colour at the path's bounds. Owned by whoever made them.
#pragma once

#include <vector>

#include "platform/gdiplus/graphics_path.h"

namespace Gdiplus {

class Brush {
 public:
  virtual ~Brush() = default;
  Status GetLastStatus() const { return m_status; }

 protected:
  Status Report(Status status) const { return m_status = status; }
  mutable Status m_status = Ok;
};

class SolidBrush : public Brush {
 public:
  explicit SolidBrush(const Color& colour) : m_colour(colour) {}
  Status GetColor(Color* colour) const;
  Status SetColor(const Color& colour);

 private:
  Color m_colour;
};

class PathGradientBrush : public Brush {
 public:
  explicit PathGradientBrush(const GraphicsPath* path);

  Status SetCenterColor(const Color& colour);
  Status GetCenterColor(Color* colour) const;
  // Only one surround colour is kept: every point of the boundary takes the first.
  Status SetSurroundColors(const Color* colours, INT* count);
  Color SurroundColor() const { return m_surround; }
  Status SetFocusScales(REAL xScale, REAL yScale);
  REAL FocusScaleX() const { return m_focusX; }
  REAL FocusScaleY() const { return m_focusY; }
  RectF Bounds() const { return m_bounds; }

 private:
  RectF m_bounds;
  Color m_centre{0xFFFFFFFF};
  Color m_surround{0xFFFFFFFF};
  REAL m_focusX = 0;
  REAL m_focusY = 0;
};

}  // namespace Gdiplus
