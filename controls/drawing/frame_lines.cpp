#include "controls/drawing/frame_lines.h"

void DrawFrameLines(HDC dc, const RECT& r) {
  const COLORREF previous = SetBkColor(dc, kFrameLineColour);
  const RECT strips[] = {
      {r.left, r.top, r.right, r.top + 1},
      {r.left, r.top, r.left + 1, r.bottom},
      {r.right - 1, r.top, r.right, r.bottom},
      {r.left, r.bottom - 1, r.right, r.bottom},
  };
  for (const RECT& strip : strips) ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &strip, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}
