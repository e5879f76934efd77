// MetafileGraticuleDrawer: the graticule for printing and metafiles. It draws the grid with
// real dotted lines, 0.3 mm wide for the major grid and 0.2 mm for the minor, instead of
// stamping cached column bitmaps, and leaves the lane's background to the page.
#pragma once

#include "tracedisplay/drawers/graticule_drawer.h"

namespace PendrelDraw {

class MetafileGraticuleDrawer final : public GraticuleDrawer {
 public:
  using GraticuleDrawer::GraticuleDrawer;

 protected:
  ~MetafileGraticuleDrawer() override = default;
  DrawerBase* MakeCopy() const override;

  void RebuildBitmaps() override {}
  void DrawHorizontalLines(HDC dc, LONG first, LONG end, bool major) override;
  void DrawVerticalLines(HDC dc, LONG first, LONG end, LONGLONG columnOrigin, double position,
                         double step, bool major) override;
  bool FillsBackground() const override { return false; }

 private:
  // A dotted pen of the pass's width at a resolution, in the brush colour selected for the pass.
  HPEN PassPen(HDC dc, bool major, double pixelsPerMillimetre) const;
};

}  // namespace PendrelDraw
