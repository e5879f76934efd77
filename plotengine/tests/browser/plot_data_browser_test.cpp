// The plots' data in the real browser against a recording proxy: series of every size fetched
// in bounded chunks, values the proxy adds beyond the request, series not there yet, gaps,
// formulas, data-change notices, the scales' ranges, and the plot's error and busy displays.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "plotengine/tests/browser/plot_script_fixture.h"

namespace Quor {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const double kNaN = std::nan("");
const double kInfinity = HUGE_VAL;
const PlotGeometry kPage = PlotGeometry::ForMargins(10, 10);

std::string Plot(const std::string& ranges, const std::string& data) {
  return "topmargin: 10, rightmargin: 10, " + ranges +
         "tplot: {id: 'p1', ydata: " + data + ", xdata: [0:1:end], colour: #ff0000ff, width: 3}";
}

std::string Ranges(double x0, double x1, double y0, double y1) {
  std::ostringstream text;
  text << "xscalemin: " << x0 << ", xscalemax: " << x1 << ", yscalemin: " << y0
       << ", yscalemax: " << y1 << ", ";
  return text.str();
}

// n values of 20, the last 80.
std::vector<double> EndingHigh(int n) {
  std::vector<double> values(std::size_t(n), 20.0);
  if (n > 0) values.back() = 80;
  return values;
}

struct Spot {
  double x, y;
  Rgb colour;
};

class PlotDataInBrowser : public PlotScriptsInBrowser {
 protected:
  // Red near a line's point; exactly the colour elsewhere.
  void ExpectSpots(const PlotGeometry& plot, const std::vector<Spot>& spots) {
    for (const Spot& s : spots) {
      const double x = plot.Px(s.x), y = plot.Py(s.y);
      const Rgb seen = s.colour == kRed ? NearestProbe(x, y, kRed)
                                        : Probe(std::floor(x) + 0.5, std::floor(y) + 0.5);
      EXPECT_EQ(seen, s.colour) << "at " << s.x << ", " << s.y << ": " << RgbText(seen);
    }
  }
};

TEST_F(PlotDataInBrowser, SeriesArriveWholeInBoundedChunksAndOnlyWhatWasAskedIsDrawn) {
  LoadPlotPage();
  const std::string series = "'d' [0:1:2147483647]";
  const std::string first = "RequestPixData(d|0|1|65536)", second = "RequestPixData(d|65536|1|65536)";
  const struct {
    int n;
    std::vector<std::string> calls;
  } cases[] = {
      {0, {first}},
      {1, {first}},
      {65536, {first, second}},
      {65537, {first, second}},
      {100000, {first, second}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.n) + " values");
    proxy->SetSeries("d", EndingHigh(c.n));
    SetMarkup(Plot(Ranges(-1, std::max(c.n, 1), 0, 100), series));
    EXPECT_THAT(TakeDataRequests(), ElementsAreArray(c.calls));
    const PlotGeometry plot = kPage.WithRange(-1, std::max(c.n, 1), 0, 100);
    if (c.n > 0) ExpectSpots(plot, {{double(c.n - 1), 80, kRed}});
    if (c.n > 1) ExpectSpots(plot, {{0, 20, kRed}});
  }

  // The native side reads whole blocks and may answer with more than was asked for; kept, the
  // extra values would stretch the auto-scaled axis.
  proxy->SetSeries("d", EndingHigh(100));
  proxy->SetJunkValues(255);
  SetMarkup(Plot(Ranges(-1, 100, 0, 100) + "do_initial_autoscale_y: true, ", "'d' [0:1:99]"));
  EXPECT_THAT(TakeDataRequests(), ElementsAre("RequestPixData(d|0|1|100)"));
  ExpectSpots(kPage.WithRange(-1, 100, 20, 80), {{99, 80, kRed}, {0, 20, kRed}});
}

TEST_F(PlotDataInBrowser, GapsFormulasAndASeriesThatArrivesLate) {
  LoadPlotPage();
  const PlotGeometry plot = kPage.WithRange(-1, 100, 0, 100);
  std::vector<double> gappy(100, 25.0);
  gappy[55] = kNaN;
  gappy[75] = kInfinity;
  proxy->SetSeries("gappy", gappy);
  SetMarkup(Plot(Ranges(-1, 100, 0, 100), "'gappy' [0:1:end]"));
  ExpectSpots(plot, {{30, 25, kRed}, {55, 25, kWhite}, {75, 25, kWhite}, {85, 25, kRed}});

  // A formula over a closed interval: one request for its 631 values; the peak at pi / 2.
  TakeDataRequests();
  SetMarkup("topmargin: 10, rightmargin: 10, " + Ranges(0, 6.3, -1.2, 1.2) +
            "tplot: {ydata: 'sin(t)' [0:0.01:6.3], xdata: [0:0.01:end], colour: #ff0000ff, width: 3}");
  EXPECT_THAT(TakeDataRequests(), ElementsAre("RequestPixData(sin(t)|0|0.01|631)"));
  ExpectSpots(kPage.WithRange(0, 6.3, -1.2, 1.2),
              {{M_PI / 2, 1, kRed}, {M_PI / 2, 0.5, kWhite}, {3 * M_PI / 2, -1, kRed}});

  // A series not known yet leaves the plot empty, without an error; its data change draws it.
  SetMarkup(Plot(Ranges(-1, 100, 0, 100), "'late' [0:1:end]"));
  ExpectSpots(plot, {{45, 25, kWhite}});
  proxy->SetSeries("late", std::vector<double>(100, 25.0));
  ASSERT_TRUE(Script("etch.get_plot('local').plotter_data_changed('late', 0, 2147483647);"));
  WaitForPaint();
  ExpectSpots(plot, {{45, 25, kRed}});
}

TEST_F(PlotDataInBrowser, ADataChangeRefetchesFromItsFirstIndexForItsPlotterOrDataId) {
  LoadPlotPage();
  const PlotGeometry plot = kPage.WithRange(0, 100, 0, 100);
  proxy->SetSeries("d", std::vector<double>(10, 25.0));
  SetMarkup(Plot(Ranges(0, 100, 0, 100), "'d' [0:1:2147483647]"));
  EXPECT_THAT(TakeDataRequests(), ElementsAre("RequestPixData(d|0|1|65536)"));

  const auto changed = [&](const std::string& id, const char* first) {
    ASSERT_TRUE(Script("etch.get_plot('local').plotter_data_changed('" + id + "', " + first +
                       ", 2147483647);"));
    WaitForPaint();
  };
  changed("nope", "0");
  EXPECT_THAT(TakeDataRequests(), IsEmpty());

  std::vector<double> longer(10, 25.0);
  longer.insert(longer.end(), 10, 75.0);
  proxy->SetSeries("d", longer);
  changed("p1", "2147483647");
  EXPECT_THAT(TakeDataRequests(), ElementsAre("RequestPixData(d|10|1|65536)"));
  ExpectSpots(plot, {{5, 25, kRed}, {15, 75, kRed}});

  changed("d", "0");
  EXPECT_THAT(TakeDataRequests(), ElementsAre("RequestPixData(d|0|1|65536)"));
  ExpectSpots(plot, {{5, 25, kRed}, {15, 75, kRed}});
}

TEST_F(PlotDataInBrowser, ScalesAreFixedAutoScaledInvertedOrWidened) {
  LoadPlotPage();
  std::vector<double> rising;
  for (int i = 0; i <= 100; ++i) rising.push_back(20 + 0.6 * i);
  proxy->SetSeries("rising", rising);
  proxy->SetSeries("flat", std::vector<double>(101, 50.0));
  const std::string autoBoth = "do_initial_autoscale_x: true, do_initial_autoscale_y: true, ";
  const struct {
    const char* what;
    std::string ranges;
    const char* data;
    std::array<double, 4> range;  // x min, x max, y min, y max the probes use
  } cases[] = {
      {"fixed", Ranges(0, 200, 0, 100), "'rising' [0:1:end]", {0, 200, 0, 100}},
      {"auto-scaled to the data over the full range",
       autoBoth + "fullrange_xscalemin: -50, fullrange_xscalemax: 500, fullrange_yscalemin: 0, "
                  "fullrange_yscalemax: 1000, ",
       "'rising' [0:1:end]", {0, 100, 20, 80}},
      {"auto-scaled without a full range", autoBoth, "'rising' [0:1:end]", {0, 100, 20, 80}},
      {"a NaN full range end counts as unset",
       "xscalemin: 0, xscalemax: 200, yscalemax: 100, fullrange_yscalemin: nan, ", "'rising' [0:1:end]",
       {0, 200, 0, 100}},
      {"inverted: a larger value lower", Ranges(0, 200, 100, 0), "'rising' [0:1:end]", {0, 200, 100, 0}},
      {"equal ends are widened around the value", Ranges(0, 200, 50, 50), "'flat' [0:1:end]",
       {0, 200, 40, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetMarkup(Plot(c.ranges, c.data));
    const PlotGeometry plot = kPage.WithRange(c.range[0], c.range[1], c.range[2], c.range[3]);
    for (const int i : {10, 50, 90}) {
      ExpectSpots(plot, {{double(i), c.data[1] == 'f' ? 50 : 20 + 0.6 * i, kRed}});
    }
  }
}

// Polls the page until `condition` (script) holds, then reports `prefix` + `value` (script).
std::string WhenTrue(const std::string& condition, const std::string& prefix, const std::string& value) {
  return "(function poll() { if (" + condition + ") test.report('" + prefix + "' + " + value +
         "); else setTimeout(poll, 10); })();";
}

TEST_F(PlotDataInBrowser, ErrorsSlideInAfterAPauseAndAClickSendsThemAway) {
  LoadPlotPage();
  const std::string div = "$('#etch_error_div')";
  ASSERT_TRUE(Script("etch.get_plot('local').show_error('<b>Bad</b> markup');"));
  EXPECT_EQ(Ask("test.report('at once ' + " + div + ".is(':visible'));", "at once "), "false");
  EXPECT_EQ(Ask(WhenTrue(div + ".is(':visible') && !" + div + ".is(':animated')", "shown ",
                         div + ".text()"),
                "shown "),
            "Bad markup");
  ASSERT_TRUE(Script(div + ".click();"));
  Ask(WhenTrue("!" + div + ".is(':visible')", "gone", "''"), "gone");

  // Without canvas support the plot says so.
  ASSERT_TRUE(Script("HTMLCanvasElement.prototype.getContext = undefined; etch.make_plot('local');"));
  EXPECT_EQ(Ask(WhenTrue(div + ".is(':visible') && !" + div + ".is(':animated')", "shown ",
                         div + ".text()"),
                "shown "),
            "Zavi requires a browser with HTML5 canvas support");
}

TEST_F(PlotDataInBrowser, ASlowAnswerShowsTheThrobberUntilThePaintEnds) {
  LoadPlotPage();
  proxy->SetSeries("d", std::vector<double>(10, 25.0));
  proxy->SetDelay(600);
  ASSERT_TRUE(Script(
      "var throbber = etch.get_plot('local').throbber[0];"
      "new MutationObserver(function () {"
      "  test.report('throbber ' + (throbber.style.display === 'none' ? 'hidden' : 'shown'));"
      "}).observe(throbber, {attributes: true});"));
  SetMarkup(Plot(Ranges(0, 100, 0, 100), "'d' [0:1:end]"));
  Ask("test.report('settled');", "settled");

  std::vector<std::string> states;
  for (const std::string& report : TakeReports()) {
    if (states.empty() || states.back() != report) states.push_back(report);
  }
  EXPECT_THAT(states, ElementsAre("throbber shown", "throbber hidden"));

}

}  // namespace
// Bars of 20, 60 and 40 at 1, 2 and 3, blue, with or without titles and x labels.
TEST_F(PlotDataInBrowser, BarsWriteTheirTitlesAboveAndTheirLabelsUnderTheDataArea) {
  LoadPlotPage();
  const Rgb kBlue{0, 0, 255}, kGreen{0, 255, 0}, kBlack{0, 0, 0};
  const std::vector<double> heights{20, 60, 40};
  proxy->SetSeries("heights", heights);
  const PlotGeometry plot = kPage.WithRange(0, 4, 0, 100);
  const auto inked = [&](const Rgb& seen, const Rgb& wanted) {
    std::vector<Rgb> others;
    for (const Rgb& colour : {kWhite, kBlue, kGreen, kBlack}) {
      if (colour != wanted) others.push_back(colour);
    }
    return NearestOf(seen, wanted, others);
  };
  const struct {
    const char* captions;
    Rgb title, label;
    int labelRequests;
  } cases[] = {
      {"", kWhite, kWhite, 0},
      {"titles: ['AAAA', 'BBBB', 'CCCC'], xlabels: 'heights' #00ff00ff, ", kBlue, kGreen, 1},
      {"xlabels: ['label one', 'label two', 'label three'], ", kWhite, kBlack, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.captions);
    TakeDataRequests();
    proxy->TakeCalls();
    SetMarkup("topmargin: 10, rightmargin: 10, show_x_scale_labels: false, " +
              Ranges(0, 4, 0, 100) + "bar: {id: 'b', ydata: 'heights' [0:1:end], bins: [1:1:end], " +
              c.captions + "colour: #0000ffff, width: 1}");
    std::vector<std::string> labelCalls;
    for (const std::string& call : proxy->TakeCalls()) {
      if (call.rfind("RequestLabelsData", 0) == 0) labelCalls.push_back(call);
    }
    EXPECT_EQ(labelCalls.size(), std::size_t(c.labelRequests));
    if (c.labelRequests > 0) {
      EXPECT_EQ(labelCalls[0], "RequestLabelsData(heights|0|1|3)");
    }
    for (std::size_t i = 0; i < heights.size(); ++i) {
      const double centre = plot.Px(double(i + 1)), top = plot.Py(heights[i]);
      const Rgb title = NearestProbe(centre, top - 7, c.title, 3);
      EXPECT_TRUE(inked(title, c.title))
          << "title of bar " << i << ": " << RgbText(title);
      // The label runs down to the left from under the bar's left edge.
      const double left = plot.Px(double(i + 1) - 0.4), under = plot.top + plot.height + 8;
      const Rgb label = NearestProbe(left - 10, under + 10, c.label, 4);
      EXPECT_TRUE(inked(label, c.label))
          << "label of bar " << i << ": " << RgbText(label);
    }
  }
}

// One point at (50, 50), width 3: each mark inks one spot that the others leave white.
TEST_F(PlotDataInBrowser, ScatterPointsTakeTheShapeTheirStyleNames) {
  LoadPlotPage();
  const PlotGeometry plot = kPage.WithRange(0, 100, 0, 100);
  const struct {
    const char* style;
    double inkX, inkY, blankX, blankY;  // pixel offsets from the point
  } cases[] = {
      {"x", 4, -4, 0, 4},        {"cross", 4, -4, 0, 4},   {"+", 0, 4, 4, -4},
      {"plus", 0, 4, 4, -4},     {"o", 0, 5, 0, 0},        {"circle", 0, 5, 0, 0},
      {"square", 5, 0, 0, 0},    {"triangle", 0, 2.5, 5, -4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    SetMarkup(std::string("topmargin: 10, rightmargin: 10, ") + Ranges(0, 100, 0, 100) +
              "scatter: {xdata: [50], ydata: [50], colour: #ff0000ff, width: 3, style: '" +
              c.style + "'}");
    const double x = plot.Px(50), y = plot.Py(50);
    EXPECT_EQ(NearestProbe(x + c.inkX, y + c.inkY, kRed), kRed);
    const Rgb blank = Probe(std::floor(x + c.blankX) + 0.5, std::floor(y + c.blankY) + 0.5);
    EXPECT_TRUE(NearestOf(blank, kWhite, {kRed})) << RgbText(blank);
  }
}

}  // namespace Quor
