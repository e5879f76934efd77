// The plotting scripts in the real browser against a recording proxy: what the plots draw,
// read as pixels at places computed from the markup, and the proxy calls they make.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "plotengine/tasks/plot_settings_writer.h"
#include "plotengine/tests/browser/plot_script_fixture.h"
#include "plotengine/tests/plotengine_test_support.h"

namespace Quor {
namespace {

using ::testing::AllOf;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

const Rgb kSeriesBlue{0, 0, 200};
const Rgb kGridGrey{192, 192, 192};
// #0000c8cc over white.
const Rgb kBarFill{51, 51, 211};

std::string WithStoredSettings(const std::string& options) {
  std::u16string text = String::FromUtf8(options).ToStdWString();
  WritePlotSettings(text, PlotSettingsState{});
  return String(text).ToUtf8String();
}

std::vector<double> Ramp(int n, double first, double step) {
  std::vector<double> values;
  for (int i = 0; i < n; ++i) values.push_back(first + i * step);
  return values;
}

// The middle of the gap between tick lines that holds `pixel`, so that a probe there sees no
// grid line.
double BetweenLines(double pixel, std::vector<double> linePixels) {
  std::sort(linePixels.begin(), linePixels.end());
  double before = -1e9, after = 1e9;
  for (double line : linePixels) {
    if (line <= pixel) before = std::max(before, std::floor(line));
    if (line > pixel) after = std::min(after, std::floor(line));
  }
  if (before < -1e8 || after > 1e8) return pixel;
  return std::floor((before + after) / 2) + 0.5;
}

// The option text without the spectrum's frequency bands, whose fills would tint the grid and
// the background probed here (the bands have tests of their own).
std::string WithoutBands(std::string options) {
  const std::size_t start = options.find("vlines: {");
  if (start == std::string::npos) return options;
  return options.erase(start, options.find("}, ", start) + 3 - start);
}

// One view's option text with synthetic series under its data ids.
struct ViewCase {
  const char* fixture;
  std::vector<std::pair<std::string, std::vector<double>>> series;
  // The data point (x, y) of index i, where the series colour shows.
  std::function<std::pair<double, double>(int)> point;
  int points;
  Rgb colour;
  // Scale ends: from the markup's full ranges, and auto-scaled to the data.
  std::array<double, 4> fullRange;
  std::array<double, 4> dataRange;
  bool dashedGrid;
};

std::vector<ViewCase> ViewCases() {
  const auto ramp = [](double first, double step) {
    return [first, step](int i) { return first + i * step; };
  };
  const auto tachogramY = ramp(700, 1);
  const auto spectrumX = ramp(0.001, 0.001), spectrumY = ramp(1000, 10);
  const auto rrX = ramp(800, 8), ffY = ramp(0.8, 0.008), poincare = ramp(600, 8);
  const auto heights = ramp(10, 1);
  const auto bar = [heights](double first, double width) {
    return [=](int i) { return std::make_pair(first + (i + 0.5) * width, heights(i) / 2); };
  };
  return {
      {"tachogram.txt", {{"RR Intervals", Ramp(101, 700, 1)}},
       [=](int i) { return std::make_pair(double(i), tachogramY(i)); }, 101, kSeriesBlue,
       {0, 1234, 577.5, 1072.5}, {0, 100, 700, 800}, false},
      {"power_spectrum.txt", {{"Power Spectrum", Ramp(200, 1000, 10)}},
       [=](int i) { return std::make_pair(spectrumX(i), spectrumY(i)); }, 200, kSeriesBlue,
       {0.001, 0.5, 0, 4483.5}, {0.001, 0.2, 1000, 2990}, false},
      {"rr_histogram.txt", {{"RR Histogram", Ramp(40, 10, 1)}}, bar(601.562, 7.8125), 40,
       kBarFill, {601.562, 1054.69, 0, 131.25}, {601.562, 601.562 + 40 * 7.8125, 0, 49}, false},
      {"delta_rr_histogram.txt", {{"Delta RR Histogram", Ramp(40, 10, 1)}},
       bar(-203.125, 7.8125), 40, kBarFill, {-203.125, 210.938, 0, 210},
       {-203.125, -203.125 + 40 * 7.8125, 0, 49}, false},
      {"classifier.txt", {{"Classifier RR", Ramp(50, 800, 8)}, {"Classifier FF", Ramp(50, 0.8, 0.008)}},
       [=](int i) { return std::make_pair(rrX(i), ffY(i)); }, 50, kSeriesBlue,
       {577.5, 1222.5, 0.64, 1.36}, {800, 1192, 0.8, 1.192}, false},
      {"poincare.txt", {{"Poincare RR", Ramp(50, 600, 8)}, {"Poincare Next RR", Ramp(50, 600, 8)}},
       [=](int i) { return std::make_pair(poincare(i), poincare(i)); }, 50, kSeriesBlue,
       {577.5, 1072.5, 577.5, 1072.5}, {600, 992, 600, 992}, true},
  };
}

TEST_F(PlotScriptsInBrowser, EachViewDrawsItsSeriesOnItsGridWithAndWithoutStoredSettings) {
  LoadPlotPage();
  const PlotGeometry page = PlotGeometry::ForMargins(40, 40);
  for (const ViewCase& view : ViewCases()) {
    for (const auto& [id, values] : view.series) proxy->SetSeries(id, values);
    for (const bool stored : {false, true}) {
      SCOPED_TRACE(std::string(view.fixture) + (stored ? " with stored settings" : ""));
      const std::string options = WithoutBands(Fixture(view.fixture));
      SetMarkup(stored ? WithStoredSettings(options) : options);
      const auto& r = stored ? view.dataRange : view.fullRange;
      const PlotGeometry plot = page.WithRange(r[0], r[1], r[2], r[3]);

      for (const int i : {view.points / 5, view.points / 2, view.points * 4 / 5}) {
        const auto [x, y] = view.point(i);
        const Rgb seen = NearestProbe(plot.Px(x), plot.Py(y), view.colour);
        EXPECT_TRUE(NearestOf(seen, view.colour, {kWhite, kGridGrey}))
            << "point " << i << " at " << plot.Px(x) << "," << plot.Py(y) << ": " << RgbText(seen);
      }

      // Off the data, between grid lines: the background; on a horizontal grid line: the grid.
      std::vector<double> xLines, yLines;
      for (double v : TickValues(1)) xLines.push_back(plot.Px(v));
      for (double v : TickValues(2)) yLines.push_back(plot.Py(v));
      const double x = BetweenLines(plot.left + 0.2 * plot.width, xLines);
      const double y = BetweenLines(plot.top + 0.2 * plot.height, yLines);
      EXPECT_EQ(Probe(x, y), kWhite) << x << "," << y;
      // The highest line inside the area, above the data.
      const std::vector<double> majorY = TickValues(2, false);
      ASSERT_GE(majorY.size(), 3u);
      const double lineY = std::floor(plot.Py(majorY[majorY.size() - 2])) + 0.5;
      bool gridSeen = false;
      for (int dx = 0; dx < (view.dashedGrid ? 8 : 1); ++dx) gridSeen |= Probe(x + dx, lineY) == kGridGrey;
      EXPECT_TRUE(gridSeen) << "grid line at " << lineY;
    }
  }

  // The page asked for the markup's series only, in bounded chunks, and for nothing else.
  const std::vector<std::string> calls = proxy->TakeCalls();
  int compiles = 0, urls = 0;
  for (const std::string& call : calls) {
    if (call.rfind("CompileMarkup(", 0) == 0) ++compiles;
    else if (call == "ResourceURLs()") ++urls;
    else EXPECT_THAT(call, AllOf(HasSubstr("RequestPixData("), HasSubstr("|65536)"))) << call;
  }
  EXPECT_EQ(compiles, 12);
  EXPECT_EQ(urls, 1);
  for (const std::string& load : TakeLoads()) EXPECT_THAT(load, Not(HasSubstr("[not served]")));
}

}  // namespace
}  // namespace Quor
