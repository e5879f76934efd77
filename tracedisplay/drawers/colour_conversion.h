// Colour arithmetic of the drawers: a hue-saturation-value record with conversions from and to
// COLORREF (graticule colours are dimmed or lightened through it), and the pull of a colour
// towards a grey level (disabled traces). Components are taken as value / 256, not / 255, so
// that white reads 0.99609375 and comes back as 0xFEFEFE: stored grid colours rely on that.
#pragma once

#include "platform/win32/gdi_handles.h"

namespace PendrelDraw {

struct HsvColour {
  double red = 0.0;  // 0 to 1
  double green = 0.0;
  double blue = 0.0;
  BYTE topByte = 0;  // the COLORREF's top byte, carried along
  double hue = -1.0;  // degrees from 0 to below 360; -1 when undefined
  double saturation = 0.0;
  double value = 0.0;

  static HsvColour FromColour(COLORREF colour);
  // Sets red, green and blue from hue, saturation and value.
  void ToRgb();
  // trunc(component x 255) of each; the top byte 0.
  COLORREF ToColour() const;
};

// Saturation down and value up (or the reverse) by `amount`, -1 to 1; an amount outside that
// counts as 1.
COLORREF AdjustBrightness(COLORREF colour, double amount);

// Moves the three components together by trunc((3 level - R - G - B) x factor / 3), each kept
// between 0 and trunc(level).
COLORREF PullTowardsLevel(COLORREF colour, double factor, double level);

}  // namespace PendrelDraw
