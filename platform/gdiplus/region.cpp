#include "platform/gdiplus/region.h"

#include <algorithm>

namespace Gdiplus {

Status Region::MakeInfinite() {
  m_infinite = true;
  m_rect = {};
  return m_status = Ok;
}

Status Region::Intersect(const RectF& rect) {
  // A rectangle of negative width or height stands for the one it spans.
  const REAL left = std::min(rect.X, rect.X + rect.Width), right = std::max(rect.X, rect.X + rect.Width);
  const REAL top = std::min(rect.Y, rect.Y + rect.Height), bottom = std::max(rect.Y, rect.Y + rect.Height);
  if (m_infinite) {
    m_infinite = false;
    m_rect = RectF(left, top, right - left, bottom - top);
    return m_status = Ok;
  }
  const REAL l = std::max(left, m_rect.X), t = std::max(top, m_rect.Y);
  const REAL r = std::min(right, m_rect.X + m_rect.Width), b = std::min(bottom, m_rect.Y + m_rect.Height);
  m_rect = RectF(l, t, std::max<REAL>(0, r - l), std::max<REAL>(0, b - t));
  return m_status = Ok;
}

Status Region::Intersect(const Region* region) {
  if (!region) return m_status = InvalidParameter;
  if (region->m_infinite) return m_status = Ok;
  return Intersect(region->m_rect);
}

}  // namespace Gdiplus
