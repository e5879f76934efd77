// A GDI+ pen: colour, width in its unit, and an optional dash pattern whose lengths are
// multiples of the width. Owned by whoever made it; a Graphics only reads it while drawing.
#pragma once

#include <vector>

#include "platform/gdiplus/types.h"

namespace Gdiplus {

class Pen {
 public:
  explicit Pen(const Color& colour, REAL width = 1.0f, Unit unit = UnitWorld);

  Color GetColor() const { return m_colour; }
  Status SetColor(const Color& colour);
  REAL GetWidth() const { return m_width; }
  Unit GetUnit() const { return m_unit; }
  DashStyle GetDashStyle() const { return m_dashStyle; }
  Status SetDashStyle(DashStyle style);
  // Copies `count` positive lengths; the style becomes DashStyleCustom.
  Status SetDashPattern(const REAL* lengths, INT count);
  INT GetDashPatternCount() const { return INT(m_dashes.size()); }
  Status GetDashPattern(REAL* lengths, INT count) const;
  Status GetLastStatus() const { return m_status; }

  // The dash lengths drawn, in multiples of the width; empty for a solid line.
  std::vector<REAL> DashesDrawn() const;

 private:
  Status Report(Status status) const { return m_status = status; }

  Color m_colour;
  REAL m_width;
  Unit m_unit;
  DashStyle m_dashStyle = DashStyleSolid;
  std::vector<REAL> m_dashes;
  mutable Status m_status = Ok;
};

}  // namespace Gdiplus
