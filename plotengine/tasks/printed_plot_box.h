// Where a plot lands on a printed page: as large as the printable area allows with its aspect
// ratio kept, centred along the side it does not fill. Stateless.
#pragma once

#include <optional>

namespace Quor {

struct PrintedPlotBox {
  int left;
  int top;
  int width;
  int height;
};

// The box in device units of a page `pageWidth` by `pageHeight`; none when the plot or the page
// has no area, which no scale can fit.
std::optional<PrintedPlotBox> FitPlotOnPage(int pageWidth, int pageHeight, float plotWidth, float plotHeight);

}  // namespace Quor
