#include "platform/gdiplus/pen.h"

namespace Gdiplus {

Pen::Pen(const Color& colour, REAL width, Unit unit) : m_colour(colour), m_width(width), m_unit(unit) {
  if (!(width >= 0)) {
    m_width = 1;
    m_status = InvalidParameter;
  }
}

Status Pen::SetColor(const Color& colour) {
  m_colour = colour;
  return Report(Ok);
}

Status Pen::SetDashStyle(DashStyle style) {
  if (style != DashStyleSolid && style != DashStyleDash && style != DashStyleCustom) return Report(InvalidParameter);
  m_dashStyle = style;
  return Report(Ok);
}

Status Pen::SetDashPattern(const REAL* lengths, INT count) {
  if (!lengths || count <= 0) return Report(InvalidParameter);
  for (INT i = 0; i < count; ++i)
    if (!(lengths[i] > 0)) return Report(InvalidParameter);
  m_dashes.assign(lengths, lengths + count);
  m_dashStyle = DashStyleCustom;
  return Report(Ok);
}

Status Pen::GetDashPattern(REAL* lengths, INT count) const {
  if (!lengths || count < INT(m_dashes.size())) return Report(InvalidParameter);
  for (std::size_t i = 0; i < m_dashes.size(); ++i) lengths[i] = m_dashes[i];
  return Report(Ok);
}

std::vector<REAL> Pen::DashesDrawn() const {
  switch (m_dashStyle) {
    case DashStyleDash: return {3, 1};
    case DashStyleCustom: return m_dashes;
    default: return {};
  }
}

}  // namespace Gdiplus
