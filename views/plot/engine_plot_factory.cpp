// In the module, every view gets the plot engine's plot window: the factory is installed as the
// module loads. Tests install their own and never link this unit.
#include "views/plot/etch_view_plot.h"

namespace Rhyth {
namespace {

const bool kFactoryInstalled = [] {
  SetViewPlotFactory(&MakeEtchViewPlot);
  return true;
}();

}  // namespace
}  // namespace Rhyth

// Referenced by the module's link so that the factory is installed in it.
extern "C" {
int RhythEnginePlotFactoryAnchor = 0;
}
