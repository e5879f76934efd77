// How the plotting scripts build a plot from its markup: the default grid, plotters side by
// side, repeated and unknown properties, and properties of the wrong kind, which are reported
// and replaced by their defaults. Drawn on fixed scales, read as pixels.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "plotengine/tests/browser/plot_script_fixture.h"

namespace Quor {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const Rgb kCyan{0, 255, 255};

// Scales from 0 to 100 on both axes, grid lines every 10.
const PlotGeometry kPlot = PlotGeometry::ForMargins(10, 10).WithRange(0, 100, 0, 100);
const char kScales[] =
    "topmargin: 10, rightmargin: 10, xscalemin: 0, xscalemax: 100, yscalemin: 0, yscalemax: 100, ";
const char kRedAt20[] = "tplot: {ydata: 'low' [0:1:end], xdata: [0:1:end], colour: #ff0000ff, width: 3}";

struct Spot {
  double x, y;  // data values
  Rgb colour;
};

struct SetupCase {
  const char* what;
  std::string markup;  // after the scales
  std::vector<Spot> probes;
  std::vector<std::string> reports;  // the BadPlotterProperty calls, in order
};

class PlotSetupInBrowser : public PlotScriptsInBrowser {
 protected:
  void RunCases(const std::vector<SetupCase>& cases) {
    LoadPlotPage();
    proxy->SetSeries("low", std::vector<double>(101, 20));
    proxy->SetSeries("high", std::vector<double>(101, 80));
    proxy->SetSeries("ten", std::vector<double>(10, 20));
    proxy->SetSeries("tall", std::vector<double>(10, 80));
    for (const SetupCase& c : cases) {
      SCOPED_TRACE(c.what);
      proxy->TakeCalls();
      SetMarkup(kScales + c.markup);
      for (const Spot& p : c.probes) {
        // A line of width 3 covers the pixel of its point; a grid line of width 1 sits on the
        // pixel row or column that holds it.
        const Rgb seen = p.colour == kCyan || p.colour == kWhite
                             ? Probe(std::floor(kPlot.Px(p.x)) + 0.5, std::floor(kPlot.Py(p.y)) + 0.5)
                             : NearestProbe(kPlot.Px(p.x), kPlot.Py(p.y), p.colour);
        EXPECT_EQ(seen, p.colour) << "at " << p.x << ", " << p.y << ": " << RgbText(seen);
      }
      std::vector<std::string> reports;
      for (const std::string& call : proxy->TakeCalls()) {
        if (call.rfind("BadPlotterProperty(", 0) == 0) reports.push_back(call);
      }
      EXPECT_THAT(reports, ElementsAreArray(c.reports));
    }
  }
};

TEST_F(PlotSetupInBrowser, APlotHasTheGridAndPlottersItsMarkupAsksFor) {
  const std::string red = kRedAt20;
  RunCases({
      {"no graticule entry: the default grid", red,
       {{50, 20, kRed}, {15, 50, kCyan}, {50, 55, kCyan}, {15, 45, kWhite}}, {}},
      {"grat: null: no grid", "grat: null, " + red, {{50, 20, kRed}, {15, 50, kWhite}}, {}},
      {"two timeplots",
       red + ", tplot: {ydata: 'high' [0:1:end], xdata: [0:1:end], colour: #008000ff, width: 3}",
       {{50, 20, kRed}, {50, 80, kGreen}}, {}},
      {"a repeated property: the last wins",
       "xscalemax: 50, xscalemax: 100, tplot: {ydata: 'low' [0:1:end], xdata: [0:1:end], "
       "colour: #008000ff, width: 3, colour: #ff0000ff}",
       {{90, 20, kRed}}, {}},
      {"heights after ydata",
       "histogram: {bins: [0:10:end], ydata: 'ten' [0:1:end], heights: 'tall' [0:1:end], "
       "colour: #ff0000ff, fillcolour: #ff0000ff}",
       {{55, 75, kRed}, {55, 15, kRed}}, {}},
      {"ydata after heights",
       "hist: {bins: [0:10:end], heights: 'tall' [0:1:end], ydata: 'ten' [0:1:end], "
       "colour: #ff0000ff, fillcolour: #ff0000ff}",
       {{55, 75, kWhite}, {55, 15, kRed}}, {}},
      {"unknown properties are kept without a report",
       "wibble: 'x', tplot: {ydata: 'low' [0:1:end], xdata: [0:1:end], colour: #ff0000ff, "
       "width: 3, frobnicate: 3}",
       {{50, 20, kRed}}, {}},
  });
}

TEST_F(PlotSetupInBrowser, APropertyOfTheWrongKindIsReportedAndItsDefaultUsed) {
  const std::string line = "ydata: 'low' [0:1:end], xdata: [0:1:end], width: 3";
  RunCases({
      {"a number as colour", "tplot: {" + line + ", colour: 5}", {{50, 20, kRed}},
       {"BadPlotterProperty(local|tplot|colour|colour|#ff0000ff)"}},
      {"a text as width", "timeplot: {ydata: 'low' [0:1:end], colour: #008000ff, width: 'wide'}", {},
       {"BadPlotterProperty(local|timeplot|width|number|1)"}},
      {"a number as xdata", "tplot: {ydata: 'low' [0:1:end], colour: #ff0000ff, width: 3, xdata: 5}",
       {{49, 20, kRed}}, {"BadPlotterProperty(local|tplot|xdata|interval|[1:1:end])"}},
      {"a text as flag", "tplot: {" + line + ", colour: #ff0000ff, selectable: 'yes'}",
       {{50, 20, kRed}}, {"BadPlotterProperty(local|tplot|selectable|boolean|false)"}},
      {"a dash length of 0", "grat: {colour: #00ffffff, dashlength: 0}, tplot: {" + line + "}",
       {{15, 50, kCyan}, {50, 20, kRed}},
       {"BadPlotterProperty(local|grat|dashlength|number greater than 0|1)"}},
      {"minticklabels below 0 and fontsize 0",
       "minticklabels: -2, fontsize: 0, tplot: {" + line + "}", {{15, 50, kCyan}},
       {"BadPlotterProperty(local|plot|fontsize|number greater than 0|9)",
        "BadPlotterProperty(local|plot|minticklabels|integer greater than -1|7)"}},
      {"a scatter without ydata draws nothing, the others draw",
       "scatter: {xdata: 'low' [0:1:end], colour: #008000ff, width: 3}, tplot: {" + line + "}",
       {{50, 20, kRed}, {25, 45, kWhite}},
       {"BadPlotterProperty(local|scatter|ydata|interval, array, or generator)"}},
  });
}

}  // namespace
}  // namespace Quor
