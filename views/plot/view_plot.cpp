#include "views/plot/view_plot.h"

#include <utility>

namespace Rhyth {

namespace {

ViewPlotFactory& InstalledFactory() {
  static ViewPlotFactory factory;
  return factory;
}

}  // namespace

void SetViewPlotFactory(ViewPlotFactory factory) { InstalledFactory() = std::move(factory); }

std::unique_ptr<ViewPlot> MakeViewPlot(IUnknown* hostDocument) {
  const ViewPlotFactory& factory = InstalledFactory();
  return factory ? factory(hostDocument) : nullptr;
}

}  // namespace Rhyth
