// The analysis views' gestures in the real browser, over the views' own option texts: dragging a
// band edge of the spectrum, resizing the classifier's box, clicking and hovering the
// tachogram's beats, a histogram's bins; and input that makes no sense, which must never throw.
// Positions come from fixed scale ends; arrays are compared within half a pixel in data units.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "plotengine/tests/browser/plot_call_reading.h"
#include "plotengine/tests/browser/plot_script_fixture.h"
#include "plotengine/tests/plotengine_test_support.h"

namespace Quor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Every view's plot: margins 40 at the top and right.
const PlotGeometry kView = PlotGeometry::ForMargins(40, 40);

// `text` with each [from, to] replaced once.
std::string Edited(std::string text, const std::vector<std::pair<std::string, std::string>>& edits) {
  for (const auto& [from, to] : edits) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
  }
  return text;
}

// The spectrum with the default band edges.
std::string Spectrum(bool draggable) {
  return Edited(Fixture("power_spectrum.txt"),
                {{"positions: [[0.0033, 0.04], [0.04, 0.15], [0.15, 0.4]]",
                  "positions: [[0, 0.04], [0.04, 0.15], [0.15, 0.45]]"},
                 {"draggable: true", draggable ? "draggable: true" : "draggable: false"}});
}

// The classifier with the default limits, on scales that leave room around the box.
std::string Classifier() {
  return Edited(Fixture("classifier.txt"),
                {{"range_y: { min:0.7, max:1.3}", "range_y: { min:1, max:1.5}"},
                 {"fullrange_yscalemin: 0.64,fullrange_yscalemax: 1.36,fullrange_xscalemin: 577.5,"
                  "fullrange_xscalemax: 1222.5,",
                  "fullrange_yscalemin: 0.5,fullrange_yscalemax: 2,fullrange_xscalemin: 500,"
                  "fullrange_xscalemax: 1500,"}});
}

// The tachogram over four beats, its x scale wide enough to tell them apart.
std::string Tachogram() {
  return Edited(Fixture("tachogram.txt"),
                {{"fullrange_xscalemin: 0,fullrange_xscalemax: 1234,",
                  "fullrange_xscalemin: -1,fullrange_xscalemax: 5,"}});
}

class ViewGestures : public PlotScriptsInBrowser {
 protected:
  void SetUp() override {
    PlotScriptsInBrowser::SetUp();
    if (IsSkipped()) return;
    LoadPlotPage();
    proxy->SetSeries("Power Spectrum", std::vector<double>(500, 1000));
    proxy->SetSeries("Classifier RR", {900, 1000, 1300, 1300});
    proxy->SetSeries("Classifier FF", {1.2, 1.8, 1.8, 1.2});
    proxy->SetSeries("RR Intervals", {800, 820, 810, 790});
    proxy->SetSeries("RR Histogram", {4, 8, 12, 6});
  }
  void Show(const std::string& options) {
    SetMarkup(options);
    TakeNotices();
  }
  std::string Readout() {
    return Ask("var r = $('.etch_readout'); test.report('readout ' + (r.is(':visible') ? r.text() : '-'));",
               "readout ");
  }
};

TEST_F(ViewGestures, TheViewsGesturesTellTheNativeSideWhatTheUserDid) {
  struct Case {
    const char* what;
    std::string options;
    std::array<double, 4> range;  // x min, x max, y min, y max of the scales
    // From and to, in data units.
    double x0, y0, x1, y1;
    bool click;
    const char* method;  // empty for no call
    std::string id;
    std::vector<double> values;
  };
  const std::vector<Case> cases = {
      {"the LF/HF edge to 0.2 Hz", Spectrum(true), {0.001, 0.5, 0, 4483.5}, 0.15, 3000, 0.2, 3000,
       false, "VLinesDragged", "spectrum_freq_bands", {0, 0.04, 0.04, 0.2, 0.2, 0.45}},
      {"the LF/HF edge stops at its neighbour", Spectrum(true), {0.001, 0.5, 0, 4483.5}, 0.15,
       3000, 0.48, 3000, false, "VLinesDragged", "spectrum_freq_bands",
       {0, 0.04, 0.04, 0.45, 0.45, 0.45}},
      {"band edges that are not draggable", Spectrum(false), {0.001, 0.5, 0, 4483.5}, 0.15, 3000,
       0.2, 3000, false, "", "", {}},
      {"the box's right edge to 1300", Classifier(), {500, 1500, 0.5, 2}, 1200, 1.25, 1300, 1.25,
       false, "BoxResized", "classifier_box", {800, 1300, 1, 1.5}},
      {"the box's right edge past its left", Classifier(), {500, 1500, 0.5, 2}, 1200, 1.25, 700,
       1.25, false, "BoxResized", "classifier_box", {700, 800, 1, 1.5}},
      {"the box's top and right corner", Classifier(), {500, 1500, 0.5, 2}, 1200, 1.5, 1250, 1.75,
       false, "BoxResized", "classifier_box", {800, 1250, 1, 1.75}},
      {"the whole box moved", Classifier(), {500, 1500, 0.5, 2}, 1000, 1.25, 1100, 1.35, false,
       "BoxResized", "classifier_box", {900, 1300, 1.1, 1.6}},
      {"a click on the tachogram's fourth beat", Tachogram(), {-1, 5, 577.5, 1072.5}, 3, 790, 3,
       790, true, "OnMouseClick", "3", {}},
      {"a click between beats", Tachogram(), {-1, 5, 577.5, 1072.5}, 1.5, 1000, 1.5, 1000, true,
       "", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Show(c.options);
    const PlotGeometry plot = kView.WithRange(c.range[0], c.range[1], c.range[2], c.range[3]);
    if (c.click) {
      Click(plot.Px(c.x0), plot.Py(c.y0));
    } else {
      Drag(plot.Px(c.x0), plot.Py(c.y0), plot.Px(c.x1), plot.Py(c.y1));
    }
    const std::vector<std::string> notices = TakeNotices();
    if (std::string(c.method).empty()) {
      EXPECT_THAT(notices, IsEmpty());
      continue;
    }
    EXPECT_EQ(notices.size(), 1u) << ::testing::PrintToString(notices);
    if (notices.size() != 1u) continue;
    const LoggedCall call = ReadCall(notices[0]);
    EXPECT_EQ(call.method, c.method);
    if (call.method == "OnMouseClick") {
      EXPECT_THAT(call.args, ElementsAre(c.id, "rhyth_tachogram_view", "false"));
      continue;
    }
    ASSERT_EQ(call.args.size(), 2u);
    EXPECT_EQ(call.args[0], c.id);
    // Half a pixel of each axis the values lie on.
    const double xHalf = (c.range[1] - c.range[0]) / plot.width / 2;
    const double yHalf = (c.range[3] - c.range[2]) / plot.height / 2;
    const std::vector<double> seen = ReadNumbers(call.args[1]);
    ASSERT_EQ(seen.size(), c.values.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
      const double tolerance = call.method == "BoxResized" && i >= 2 ? yHalf : xHalf;
      EXPECT_NEAR(seen[i], c.values[i], tolerance) << "value " << i;
    }
  }
}

TEST_F(ViewGestures, HoveringShowsTheReadoutOfTheNearestPoint) {
  Show(Tachogram());
  const PlotGeometry tachogram = kView.WithRange(-1, 5, 577.5, 1072.5);
  MoveTo(tachogram.Px(3), tachogram.Py(1000));
  EXPECT_EQ(Readout(), "RR Interval 3 = 790 ms");
  MoveTo(tachogram.Px(0.8), tachogram.Py(700));
  EXPECT_EQ(Readout(), "RR Interval 1 = 820 ms");
  // Off the data area the readout goes.
  MoveTo(10, 10);
  EXPECT_EQ(Readout(), "-");

  Show(Edited(Fixture("rr_histogram.txt"), {{"bins: [601.562:7.8125:end]", "bins: [600:8.5:end]"}}));
  const PlotGeometry histogram = kView.WithRange(601.562, 1054.69, 0, 131.25);
  MoveTo(histogram.Px(600 + 2.5 * 8.5), histogram.Py(50));
  EXPECT_EQ(Readout(), "RR Interval: bin = [617, 625.5) ms, count = 12");
  // A readout naming a value the plotter does not have leaves it out.
  Show(Edited(Tachogram(), {{"'RR Interval {0} = {1} ms'", "'beat {9}{0}'"}}));
  MoveTo(tachogram.Px(2), tachogram.Py(810));
  EXPECT_EQ(Readout(), "beat 2");
  EXPECT_THAT(TakeNotices(), IsEmpty());
}

TEST_F(ViewGestures, TheClassifierBoxColoursThePointsByWhereTheyLie) {
  Show(Classifier());
  const PlotGeometry plot = kView.WithRange(500, 1500, 0.5, 2);
  // Inside; outside in y only; outside in both; outside in x only.
  const std::vector<std::pair<std::array<double, 2>, Rgb>> points = {
      {{900, 1.2}, {0, 80, 255}},
      {{1000, 1.8}, {255, 0, 170}},
      {{1300, 1.8}, {255, 0, 0}},
      {{1300, 1.2}, {255, 170, 0}},
  };
  for (const auto& [at, colour] : points) {
    std::vector<Rgb> others = {kWhite, {192, 192, 192}, {0, 0, 200}};
    for (const auto& [other, otherColour] : points) {
      if (otherColour != colour) others.push_back(otherColour);
    }
    const Rgb seen = NearestProbe(plot.Px(at[0]), plot.Py(at[1]), colour, 2);
    EXPECT_TRUE(NearestOf(seen, colour, others)) << at[0] << "," << at[1] << ": " << RgbText(seen);
  }
}

TEST_F(ViewGestures, TheSpectrumsBandsAreFilledWithTheirColours) {
  Show(Spectrum(true));
  const PlotGeometry plot = kView.WithRange(0.001, 0.5, 0, 4483.5);
  // #0000ff20, #00ff0020, #ff000020 over white; white beyond the bands.
  const std::vector<std::pair<double, Rgb>> bands = {
      {0.02, {223, 223, 255}}, {0.075, {223, 255, 223}}, {0.275, {255, 223, 223}}, {0.475, kWhite}};
  for (const auto& [x, colour] : bands) {
    // Between the grid lines (every 0.05), well above the series.
    const Rgb seen = Probe(std::floor(plot.Px(x)) + 0.5, plot.top + 5.5);
    EXPECT_EQ(seen, colour) << x << ": " << RgbText(seen);
  }
}

TEST_F(ViewGestures, InputThatMakesNoSenseChangesNothingAndNeverThrows) {
  const PlotGeometry spectrum = kView.WithRange(0.001, 0.5, 0, 4483.5);
  const PlotGeometry classifier = kView.WithRange(500, 1500, 0.5, 2);
  struct Case {
    const char* what;
    std::string options;
    std::function<void()> gesture;
    std::vector<std::string> methods;
  };
  const std::vector<Case> cases = {
      {"a box of no width, dragged wider",
       Edited(Classifier(), {{"range_x: { min:800, max:1200}", "range_x: { min:1000, max:1000}"}}),
       [&] { Drag(classifier.Px(1000), classifier.Py(1.25), classifier.Px(1100), classifier.Py(1.25)); },
       {"BoxResized"}},
      {"a box without its ranges", Edited(Classifier(), {{"range_x: { min:800, max:1200}, ", ""}}),
       [&] { Drag(classifier.Px(1200), classifier.Py(1.25), classifier.Px(1300), classifier.Py(1.25)); },
       {}},
      {"one band edge",
       Edited(Spectrum(true), {{"[[0, 0.04], [0.04, 0.15], [0.15, 0.45]]", "[[0.15, 0.15]]"}}),
       [&] { Drag(spectrum.Px(0.15), spectrum.Py(3000), spectrum.Px(0.3), spectrum.Py(3000)); },
       {"VLinesDragged"}},
      {"no positions", Edited(Spectrum(true), {{"[[0, 0.04], [0.04, 0.15], [0.15, 0.45]]", "[]"}}),
       [&] { Drag(spectrum.Px(0.15), spectrum.Py(3000), spectrum.Px(0.3), spectrum.Py(3000)); },
       {}},
      {"a line released outside the page", Spectrum(true),
       [&] { Drag(spectrum.Px(0.15), spectrum.Py(3000), 900, 700); }, {"VLinesDragged"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Show(c.options);
    c.gesture();
    std::vector<std::string> methods;
    for (const std::string& call : TakeNotices()) {
      if (call.rfind("BadPlotterProperty(", 0) != 0) methods.push_back(ReadCall(call).method);
    }
    EXPECT_EQ(methods, c.methods);
  }
}

}  // namespace
}  // namespace Quor
