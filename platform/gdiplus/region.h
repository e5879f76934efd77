// A GDI+ region in world coordinates: everything (the infinite region), or the intersection of
// the rectangles it was given, which is itself one rectangle, possibly empty. Owned by whoever
// made it; a Graphics takes it in the coordinates in force when it is set as the clip.
#pragma once

#include "platform/gdiplus/types.h"

namespace Gdiplus {

class Region {
 public:
  Region() = default;
  explicit Region(const RectF& rect) : m_infinite(false), m_rect(rect) {}

  Region* Clone() const { return new Region(*this); }
  Status MakeInfinite();
  Status Intersect(const RectF& rect);
  Status Intersect(const Region* region);
  BOOL IsInfinite() const { return m_infinite; }
  // The rectangle of a finite region; width or height 0 when it is empty.
  RectF Rect() const { return m_rect; }
  Status GetLastStatus() const { return m_status; }

 private:
  bool m_infinite = true;
  RectF m_rect;
  mutable Status m_status = Ok;
};

}  // namespace Gdiplus
