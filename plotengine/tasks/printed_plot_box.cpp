#include "plotengine/tasks/printed_plot_box.h"

#include <algorithm>
#include <cmath>

namespace Quor {

std::optional<PrintedPlotBox> FitPlotOnPage(int pageWidth, int pageHeight, float plotWidth, float plotHeight) {
  if (!(plotWidth > 0) || !(plotHeight > 0) || pageWidth <= 0 || pageHeight <= 0) return std::nullopt;
  const double w = plotWidth, h = plotHeight, W = pageWidth, H = pageHeight;
  if (w / h > W / H) {
    // A sliver of a plot still takes one dot, so that it is drawn scaled like any other.
    const int height = std::max(1, int(std::floor(W * h / w + 0.5)));
    return PrintedPlotBox{0, (pageHeight - height) / 2, pageWidth, height};
  }
  const int width = std::max(1, int(std::floor(H * w / h + 0.5)));
  return PrintedPlotBox{(pageWidth - width) / 2, 0, width, pageHeight};
}

}  // namespace Quor
