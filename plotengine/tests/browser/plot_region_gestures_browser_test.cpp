// Rectangle zoom with its undo and redo, the legend and text regions under a person's pointer
// and keys, in the real browser. Positions come from fixed scale ends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "host/browser/browser_input.h"
#include "plotengine/tests/browser/plot_call_reading.h"
#include "plotengine/tests/browser/plot_script_fixture.h"

namespace Quor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const PlotGeometry kPlot = PlotGeometry::ForMargins(10, 10).WithRange(0, 100, 0, 100);
const char kScales[] =
    "topmargin: 10, rightmargin: 10, xscalemin: 0, xscalemax: 100, yscalemin: 0, yscalemax: 100, "
    "tplot: {id: 'line', ydata: 'flat' [0:1:end], xdata: [0:1:end], colour: #ff0000ff}, ";

class RegionGestures : public PlotScriptsInBrowser {
 protected:
  void SetUp() override {
    PlotScriptsInBrowser::SetUp();
    if (IsSkipped()) return;
    LoadPlotPage();
    proxy->SetSeries("flat", std::vector<double>(101, 50));
  }
  void Show(const std::string& extra) {
    SetMarkup(kScales + extra);
    TakeNotices();
  }
  // The notices, each read.
  std::vector<LoggedCall> Notices() {
    std::vector<LoggedCall> calls;
    for (const std::string& call : TakeNotices()) calls.push_back(ReadCall(call));
    return calls;
  }
  // A zoom step's four notices: the zoom state, the zoomed ranges, and the two scales' ranges.
  void ExpectZoomStep(const std::string& undo, const std::string& redo, const std::vector<double>& ranges) {
    const std::vector<LoggedCall> calls = Notices();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].method, "SetZoomState");
    EXPECT_THAT(calls[0].args, ElementsAre("zoom", undo, redo));
    EXPECT_EQ(calls[1].method, "ZoomLevelChanged");
    EXPECT_EQ(calls[1].args[0], "zoom");
    const double half = 100 / kPlot.height / 2;
    EXPECT_TRUE(NumbersNear(ReadNumbers(calls[1].args[1]), ranges, half));
    EXPECT_EQ(calls[2].method, "XScalingChanged");
    EXPECT_TRUE(NumbersNear(ReadNumbers(calls[2].args[1]), {ranges[0], ranges[1], 0}, half));
    EXPECT_EQ(calls[3].method, "YScalingChanged");
    EXPECT_TRUE(NumbersNear(ReadNumbers(calls[3].args[1]), {ranges[2], ranges[3], 0}, half));
  }
};

TEST_F(RegionGestures, ARectangleZoomsOnlyWhenTheNativeSideAllowsItAndUndoesAndRedoes) {
  struct Case {
    bool enabled;
    const char* text;
    bool zooms;
  };
  for (const Case& c : std::vector<Case>{{true, "", true}, {false, "YES", true}, {false, "", false},
                                         {true, "no", false}}) {
    SCOPED_TRACE(std::string(c.enabled ? "true" : "false") + " '" + c.text + "'");
    proxy->SetZoomEnabledAnswer(c.enabled, c.text);
    Show("");
    Drag(kPlot.Px(25), kPlot.Py(75), kPlot.Px(75), kPlot.Py(25));
    // The rectangle the page saw, in whole pixels.
    const double x0 = std::round(kPlot.Px(25)), x1 = x0 + std::round(kPlot.Px(75) - kPlot.Px(25));
    const double y0 = std::round(kPlot.Py(75)), y1 = y0 + std::round(kPlot.Py(25) - kPlot.Py(75));
    const std::vector<double> zoomed = {(x0 - kPlot.left) / kPlot.width * 100,
                                        (x1 - kPlot.left) / kPlot.width * 100,
                                        100 - (y1 - kPlot.top) / kPlot.height * 100,
                                        100 - (y0 - kPlot.top) / kPlot.height * 100};
    if (!c.zooms) {
      EXPECT_THAT(TakeNotices(), IsEmpty());
      Key("z", PendrelBrowser::kCtrlKey);
      EXPECT_THAT(TakeNotices(), IsEmpty());
      continue;
    }
    ExpectZoomStep("true", "false", zoomed);
    Key("z", PendrelBrowser::kCtrlKey);
    ExpectZoomStep("false", "true", {0, 100, 0, 100});
    Key("y", PendrelBrowser::kCtrlKey);
    ExpectZoomStep("true", "false", zoomed);
    // Nothing left to redo.
    Key("y", PendrelBrowser::kCtrlKey);
    EXPECT_THAT(TakeNotices(), IsEmpty());
  }
}

TEST_F(RegionGestures, TheLegendSitsWhereItsSettingsSayAndReportsWhereItWasDragged) {
  Show("tplot: {id: 'wave', equation: 'sin(t)', ydata: 'flat' [0:1:end], colour: #0000ffff}, "
       "legend: {id: 'key', background: #00ff00ff, x_percent: 0.5, y_percent: 0.25}");
  const double left = kPlot.left + std::round(0.5 * kPlot.width), top = kPlot.top + std::round(0.25 * kPlot.height);
  const Rgb background{0, 255, 0};
  EXPECT_EQ(Probe(left + 2.5, top + 2.5), background);
  EXPECT_NE(Probe(left - 2.5, top - 2.5), background);
  Drag(left + 5, top + 5, left + 5 + 55, top + 5 - 40);
  const std::vector<LoggedCall> calls = Notices();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].method, "RegionPosChanged");
  ASSERT_EQ(calls[0].args.size(), 3u);
  EXPECT_EQ(calls[0].args[0], "key");
  EXPECT_NEAR(std::stod(calls[0].args[1]), 0.5 + 55 / kPlot.width, 0.5 / kPlot.width);
  EXPECT_NEAR(std::stod(calls[0].args[2]), 0.25 - 40 / kPlot.height, 0.5 / kPlot.height);
}

TEST_F(RegionGestures, TheLegendShowsATimeplotsEquationAsTheNativeSideWritesIt) {
  proxy->TakeCalls();
  SetMarkup(std::string(kScales) +
            "tplot: {id: 'wave', equation: 'sin(t)', ydata: 'flat' [0:1:end], colour: #0000ffff}, "
            "legend: {}");
  std::vector<std::string> equations;
  for (const std::string& call : proxy->TakeCalls()) {
    if (call.rfind("RequestEquation(", 0) == 0) equations.push_back(call);
  }
  EXPECT_THAT(equations, ElementsAre("RequestEquation(sin(t))"));
  EXPECT_EQ(Ask("var p = etch.get_plot('local').plotters, l = $.grep(p, function (x) { return x.names[0] === 'legend'; })[0];"
                "test.report('rows ' + $.map(l.rows(), function (r) { return r.text; }).join(';'));",
                "rows "),
            "line;y = sin(t)");
}

TEST_F(RegionGestures, ATextRegionMovesAndItsEditArrivesIntactOnceOrNotAtAll) {
  Show("text_region: {id: 'note', text: 'Hello', x_percent: 0.5, y_percent: 0.5}");
  double cx = kPlot.left + 0.5 * kPlot.width, cy = kPlot.top + 0.5 * kPlot.height;
  Drag(cx, cy, cx + 55, cy + 40);
  std::vector<LoggedCall> calls = Notices();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].method, "RegionPosChanged");
  EXPECT_EQ(calls[0].args[0], "note");
  EXPECT_NEAR(std::stod(calls[0].args[1]), 0.5 + 55 / kPlot.width, 0.5 / kPlot.width);
  EXPECT_NEAR(std::stod(calls[0].args[2]), 0.5 + 40 / kPlot.height, 0.5 / kPlot.height);
  cx += 55, cy += 40;

  const std::string edited = "Say \"hi\" & 'bye' </script> \xc3\xbcn\xc3\xaf \xe6\x9d\xb1";
  struct Case {
    const char* what;
    std::string typed;  // empty: nothing typed
    const char* key;    // empty: ended by a press elsewhere
    std::vector<std::string> notices;
  };
  for (const Case& c : std::vector<Case>{
           {"Enter commits", edited, "Enter", {"RegionTextChanged(note|" + edited + ")"}},
           {"Escape cancels", "other", "Escape", {}},
           {"an unchanged text", "", "Enter", {}},
           {"leaving the editor commits", "left", "", {"RegionTextChanged(note|left)"}}}) {
    SCOPED_TRACE(c.what);
    DoubleClick(cx, cy);
    ASSERT_EQ(Ask("test.report('editing ' + $('.etch_text_editor').length);", "editing "), "1");
    if (!c.typed.empty()) Type(c.typed);
    if (*c.key) {
      Key(c.key);
    } else {
      Click(kPlot.Px(10), kPlot.Py(10));
    }
    EXPECT_EQ(Ask("test.report('editing ' + $('.etch_text_editor').length);", "editing "), "0");
    EXPECT_EQ(TakeNotices(), c.notices);
  }
}

}  // namespace
}  // namespace Quor
