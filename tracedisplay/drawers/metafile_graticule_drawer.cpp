#include "tracedisplay/drawers/metafile_graticule_drawer.h"

#include <cmath>

namespace PendrelDraw {

namespace {

constexpr double kMajorLineMillimetres = 0.3;
constexpr double kMinorLineMillimetres = 0.2;

}  // namespace

DrawerBase* MetafileGraticuleDrawer::MakeCopy() const {
  auto* copy = new MetafileGraticuleDrawer(0, Options(), GridColour(), 0, channel[0], channel[1]);
  CopySettingsTo(*copy);
  return copy;
}

HPEN MetafileGraticuleDrawer::PassPen(HDC dc, bool major, double pixelsPerMillimetre) const {
  LOGBRUSH brush{};
  GetObjectW(GetCurrentObject(dc, OBJ_BRUSH), sizeof brush, &brush);
  brush.lbStyle = BS_SOLID;
  brush.lbColor = GetNearestColor(dc, brush.lbColor);
  const double millimetres = major ? kMajorLineMillimetres : kMinorLineMillimetres;
  return ExtCreatePen(PS_GEOMETRIC | PS_DOT, DWORD(millimetres * pixelsPerMillimetre + 0.5), &brush,
                      0, nullptr);
}

void MetafileGraticuleDrawer::DrawHorizontalLines(HDC dc, LONG first, LONG end, bool major) {
  double resolution = kScreenPixelsPerMillimetre;
  if (Pane()) Pane()->GetResolutionY(0, dc, &resolution);
  const HPEN pen = PassPen(dc, major, resolution);
  const HGDIOBJ previous = SelectObject(dc, pen);
  for (const GridRow& row : Rows()) {
    if (row.major != major || row.row < 0 || row.row >= LaneHeight()) continue;
    MoveToEx(dc, first, rect.top + row.row, nullptr);
    LineTo(dc, end, rect.top + row.row);
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
}

void MetafileGraticuleDrawer::DrawVerticalLines(HDC dc, LONG first, LONG end,
                                                LONGLONG columnOrigin, double position,
                                                double step, bool major) {
  double resolution = kScreenPixelsPerMillimetre;
  if (Pane()) Pane()->GetResolutionX(0, dc, &resolution);
  const HPEN pen = PassPen(dc, major, resolution);
  const HGDIOBJ previous = SelectObject(dc, pen);
  for (LONGLONG x = LONGLONG(std::floor(position + 0.5)) - columnOrigin; x < end;
       position += step, x = LONGLONG(std::floor(position + 0.5)) - columnOrigin) {
    if (x < first) continue;
    MoveToEx(dc, int(x), rect.top, nullptr);
    LineTo(dc, int(x), rect.bottom);
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
}

}  // namespace PendrelDraw
