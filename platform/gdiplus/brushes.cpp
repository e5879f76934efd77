#include "platform/gdiplus/brushes.h"

namespace Gdiplus {

Status SolidBrush::GetColor(Color* colour) const {
  if (!colour) return Report(InvalidParameter);
  *colour = m_colour;
  return Report(Ok);
}

Status SolidBrush::SetColor(const Color& colour) {
  m_colour = colour;
  return Report(Ok);
}

PathGradientBrush::PathGradientBrush(const GraphicsPath* path) {
  if (!path || path->GetPointCount() < 2) {
    m_status = InvalidParameter;
    return;
  }
  path->GetBounds(&m_bounds);
}

Status PathGradientBrush::SetCenterColor(const Color& colour) {
  m_centre = colour;
  return Report(Ok);
}

Status PathGradientBrush::GetCenterColor(Color* colour) const {
  if (!colour) return Report(InvalidParameter);
  *colour = m_centre;
  return Report(Ok);
}

Status PathGradientBrush::SetSurroundColors(const Color* colours, INT* count) {
  if (!colours || !count || *count < 1) return Report(InvalidParameter);
  m_surround = colours[0];
  *count = 1;
  return Report(Ok);
}

Status PathGradientBrush::SetFocusScales(REAL xScale, REAL yScale) {
  m_focusX = xScale;
  m_focusY = yScale;
  return Report(Ok);
}

}  // namespace Gdiplus
