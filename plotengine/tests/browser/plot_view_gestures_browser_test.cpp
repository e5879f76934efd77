// The analysis views' gestures in the real browser, over the views' own option texts: clicking
// and hovering the tachogram's beats, a histogram's bins.
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

}  // namespace
}  // namespace Quor
