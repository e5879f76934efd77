#include "plotengine/tasks/printed_plot_box.h"

#include <cmath>

namespace Quor {

std::optional<PrintedPlotBox> FitPlotOnPage(int pageWidth, int pageHeight, float plotWidth, float plotHeight) {
  if (!(plotWidth > 0) || !(plotHeight > 0) || pageWidth <= 0 || pageHeight <= 0) return std::nullopt;
  const double w = plotWidth, h = plotHeight, W = pageWidth, H = pageHeight;
  if (w / h > W / H) {
    const int height = int(std::floor(W * h / w + 0.5));
    return PrintedPlotBox{0, (pageHeight - height) / 2, pageWidth, height};
  }
  const int width = int(std::floor(H * w / h + 0.5));
  return PrintedPlotBox{(pageWidth - width) / 2, 0, width, pageHeight};
}

}  // namespace Quor
