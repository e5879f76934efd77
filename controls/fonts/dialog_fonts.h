// The dialog, label and interface fonts made at the right size for a device context: point sizes
// scaled by the context's resolution and mapping. The caller owns each font it is given.
#pragma once

#include <memory>

#include "platform/owl/gdi_objects.h"

// MulDiv(MulDiv(points, LOGPIXELSY, 72), window extent x, viewport extent x): a cell height.
int ScaleFontHeight(HDC dc, int points);

// "MS Shell Dlg 2" at `points` (0: 10, or 12 for a Chinese or Japanese application), turned by
// `angle` tenths of a degree. TrueType precision unless upright on a raster display.
std::unique_ptr<OWL::TFont> CreateShellDlgFont(HDC dc, int points, int angle);
// "MS Shell Dlg 2" of a given LOGFONT height, for the context (null: the screen).
std::unique_ptr<OWL::TFont> CreateShellDlgFontOfHeight(HDC dc, int height);
// The 8-point label font of plot axes, for the context (null: the screen).
std::unique_ptr<OWL::TFont> CreateAxisLabelFont(HDC dc);

// The interface face at `points` for the context, with the metrics of the context's current
// font (the new font is not selected for the measurement).
struct GuiFontForDC {
  std::unique_ptr<OWL::TFont> font;
  TEXTMETRICW metrics;
};
GuiFontForDC CreateGuiFontForDC(HDC dc, int points);
