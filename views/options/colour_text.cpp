#include <cmath>
#include <cstdio>

#include "views/options/plot_options.h"

namespace Rhyth::PlotOptions {

namespace {

BYTE Red(COLORREF colour) { return BYTE(colour & 0xFF); }
BYTE Green(COLORREF colour) { return BYTE((colour >> 8) & 0xFF); }
BYTE Blue(COLORREF colour) { return BYTE((colour >> 16) & 0xFF); }

}  // namespace

Quor::String ColourText(COLORREF colour, double alpha) {
  const unsigned alphaByte = unsigned(static_cast<long long>(std::trunc(alpha * 255.0))) & 0xFF;
  char text[10];
  std::snprintf(text, sizeof text, "#%02x%02x%02x%02x", Red(colour), Green(colour), Blue(colour),
                alphaByte);
  return Quor::String::FromUtf8(text);
}

Quor::String GridColourText(const PlotOptionSource& source) {
  return ColourText(source.gridColour.value_or(0), 1.0);
}

Quor::String SourceColourText(const PlotOptionSource& source, double alpha) {
  return ColourText(source.sourceColour, alpha);
}

}  // namespace Rhyth::PlotOptions
