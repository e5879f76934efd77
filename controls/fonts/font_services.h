// Fonts of the controls: the interface font that gadgets and popups draw with, the size of a
// font's characters on the screen, and a cache of dialog fonts by point size and device
// resolution. Fonts made here live for the process.
#pragma once

#include "platform/win32/gdi.h"

// The framework's default interface font, and a bold (weight 700) copy of it.
HFONT GadgetWindowFont();
HFONT BoldGadgetWindowFont();

struct FontCharSize {
  int averageWidth;
  int height;  // tmHeight + tmExternalLeading
};
// Measured on a screen device context with the font selected; {0, 0} without one.
FontCharSize GetFontCharSize(HFONT font);

// "MS Shell Dlg 2" fonts keyed by {point size, dots per inch}, made on first request at weight
// 400 with a character height of the points scaled to the resolution.
class DPIFontMap {
 public:
  static DPIFontMap& Instance();
  HFONT Get(int points, int dotsPerInch);

 private:
  DPIFontMap() = default;
};
