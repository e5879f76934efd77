// The scales under a person's pointer, in the real browser: dragging a scale, its zoom and menu
// buttons, a double click, and the scale commands of the native menu. Positions come from fixed
// scale ends; each gesture tells the native side its range once, at its end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plotengine/tests/browser/plot_call_reading.h"
#include "plotengine/tests/browser/plot_script_fixture.h"

namespace Quor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Scales from 0 to 100 on both axes over a series from 20 to 60.
const PlotGeometry kPlot = PlotGeometry::ForMargins(10, 10).WithRange(0, 100, 0, 100);
const char kMarkup[] =
    "topmargin: 10, rightmargin: 10, xscalemin: 0, xscalemax: 100, yscalemin: 0, yscalemax: 100, "
    "tplot: {id: 'line', ydata: 'rising' [0:1:end], xdata: [10:1:end], colour: #ff0000ff}";

class ScaleGestures : public PlotScriptsInBrowser {
 protected:
  void SetUp() override {
    PlotScriptsInBrowser::SetUp();
    if (IsSkipped()) return;
    LoadPlotPage();
    std::vector<double> rising;
    for (int i = 0; i <= 40; ++i) rising.push_back(20 + i);
    proxy->SetSeries("rising", rising);
  }
  void Show(const std::string& extra = {}) {
    SetMarkup(extra + kMarkup);
    proxy->TakeCalls();
  }
  // The one notice since the last look, read.
  LoggedCall OnlyNotice() {
    const std::vector<std::string> notices = TakeNotices();
    EXPECT_EQ(notices.size(), 1u) << ::testing::PrintToString(notices);
    return notices.empty() ? LoggedCall{} : ReadCall(notices.front());
  }
  // A scale's range as the page holds it.
  std::vector<double> Range(int scale) {
    return ReadNumbers(Ask("var s = etch.get_plot('local').get_scales()[" + std::to_string(scale) +
                               "]; test.report('range [' + [s.min, s.max, s.auto ? 1 : 0] + ']');",
                           "range "));
  }
  // The page box of a button: [left, top, right, bottom].
  std::vector<double> ButtonBox(const std::string& which, int index) {
    return ReadNumbers(Ask("var r = $('.etch_button_" + which + "')[" + std::to_string(index) +
                               "].getBoundingClientRect(); test.report('box [' + [r.left, r.top, "
                               "r.right, r.bottom] + ']');",
                           "box "));
  }
};

TEST_F(ScaleGestures, ADragMovesTheRangeWithThePointerAndReportsOnceAtTheRelease) {
  const double yUnit = 100 / kPlot.height, xUnit = 100 / kPlot.width;
  struct Case {
    const char* what;
    double x0, y0, x1, y1;
    const char* method;
    std::vector<double> range;
    double unit;
  };
  const double yStrip = kPlot.left / 2, xStrip = kPlot.top + kPlot.height + 30;
  for (const Case& c : std::vector<Case>{
           {"y scale down 50", yStrip, 200, yStrip, 250, "YScalingChanged", {50 * yUnit, 100 + 50 * yUnit, 0}, yUnit},
           {"y scale up 50", yStrip, 200, yStrip, 150, "YScalingChanged", {-50 * yUnit, 100 - 50 * yUnit, 0}, yUnit},
           {"x scale right 50", 300, xStrip, 350, xStrip, "XScalingChanged", {-50 * xUnit, 100 - 50 * xUnit, 0}, xUnit},
           {"x scale released outside the page", 300, xStrip, 700, 520, "XScalingChanged",
            {-400 * xUnit, 100 - 400 * xUnit, 0}, xUnit}}) {
    SCOPED_TRACE(c.what);
    Show();
    Drag(c.x0, c.y0, c.x1, c.y1);
    const LoggedCall call = OnlyNotice();
    EXPECT_EQ(call.method, c.method);
    ASSERT_EQ(call.args.size(), 2u);
    EXPECT_EQ(call.args[0], "local");
    EXPECT_TRUE(NumbersNear(ReadNumbers(call.args[1]), c.range, c.unit / 2));
  }
}

TEST_F(ScaleGestures, WithDragScrollingADragInTheDataAreaScrollsTheHorizontalScale) {
  const double xUnit = 100 / kPlot.width;
  Show("drag_scrolling: true, ");
  Drag(kPlot.Px(50), kPlot.Py(50), kPlot.Px(50) + 50, kPlot.Py(50) + 20);
  const LoggedCall call = OnlyNotice();
  EXPECT_EQ(call.method, "XScalingChanged");
  EXPECT_TRUE(NumbersNear(ReadNumbers(call.args[1]), {-50 * xUnit, 100 - 50 * xUnit, 0}, xUnit / 2));
  // Without it, the same drag scrolls nothing.
  Show();
  Drag(kPlot.Px(50), kPlot.Py(50), kPlot.Px(50) + 50, kPlot.Py(50) + 20);
  EXPECT_THAT(TakeNotices(), IsEmpty());
}

TEST_F(ScaleGestures, SetupAndAPressWithoutMovingReportNothing) {
  SetMarkup(kMarkup);
  for (const std::string& call : TakeNotices()) {
    EXPECT_EQ(call.find("ScalingChanged"), std::string::npos) << call;
  }
  Click(kPlot.left / 2, 200);
  Click(300, kPlot.top + kPlot.height + 30);
  EXPECT_THAT(TakeNotices(), IsEmpty());
}

TEST_F(ScaleGestures, ZoomButtonsHalveAndDoubleTheRangeAboutItsCentre) {
  Show();
  // Buttons in order: zoom in, zoom out, menu; the first three are the horizontal scale's.
  const std::vector<double> in = ButtonBox("in", 1), out = ButtonBox("out", 1);
  Click((in[0] + in[2]) / 2, (in[1] + in[3]) / 2);
  LoggedCall call = OnlyNotice();
  EXPECT_EQ(call.method, "YScalingChanged");
  EXPECT_TRUE(NumbersNear(ReadNumbers(call.args[1]), {25, 75, 0}, 1e-9));
  Click((out[0] + out[2]) / 2, (out[1] + out[3]) / 2);
  call = OnlyNotice();
  EXPECT_TRUE(NumbersNear(ReadNumbers(call.args[1]), {0, 100, 0}, 1e-9));

  const std::vector<double> xIn = ButtonBox("in", 0);
  Click((xIn[0] + xIn[2]) / 2, (xIn[1] + xIn[3]) / 2);
  call = OnlyNotice();
  EXPECT_EQ(call.method, "XScalingChanged");
  EXPECT_TRUE(NumbersNear(ReadNumbers(call.args[1]), {25, 75, 0}, 1e-9));
}

TEST_F(ScaleGestures, AutoScaleFromTheNativeSideOrADoubleClickFitsTheData) {
  Show();
  ASSERT_TRUE(Script("etch.get_plot('local').get_scales()[2].auto_scale();"));
  LoggedCall call = OnlyNotice();
  EXPECT_EQ(call.method, "YScalingChanged");
  EXPECT_TRUE(NumbersNear(ReadNumbers(call.args[1]), {20, 60, 1}, 1e-9));

  Show();
  DoubleClick(300, kPlot.top + kPlot.height + 30);
  call = OnlyNotice();
  EXPECT_EQ(call.method, "XScalingChanged");
  EXPECT_TRUE(NumbersNear(ReadNumbers(call.args[1]), {10, 50, 1}, 1e-9));
  EXPECT_TRUE(NumbersNear(Range(1), {10, 50, 1}, 1e-9));
}

TEST_F(ScaleGestures, UnipolarAndBipolarWorkFromTheFullRangeElseTheData) {
  struct Case {
    const char* fullRange;
    const char* command;
    std::vector<double> range;
  };
  for (const Case& c : std::vector<Case>{
           {"fullrange_yscalemin: -3, fullrange_yscalemax: 5, ", "set_bipolar", {-5, 5, 0}},
           {"fullrange_yscalemin: -3, fullrange_yscalemax: 5, ", "set_unipolar", {0, 5, 0}},
           {"fullrange_yscalemin: 2, fullrange_yscalemax: 7, ", "set_unipolar", {0, 7, 0}},
           {"fullrange_yscalemin: 2, fullrange_yscalemax: 7, ", "set_bipolar", {-7, 7, 0}},
           {"fullrange_yscalemin: -7, fullrange_yscalemax: -2, ", "set_unipolar", {-7, 0, 0}},
           {"fullrange_yscalemin: -7, fullrange_yscalemax: -2, ", "set_bipolar", {-7, 7, 0}},
           {"", "set_unipolar", {0, 60, 0}},
           {"", "set_bipolar", {-60, 60, 0}}}) {
    SCOPED_TRACE(std::string(c.fullRange) + c.command);
    Show(c.fullRange);
    ASSERT_TRUE(Script(std::string("etch.get_plot('local').get_scales()[2].") + c.command + "();"));
    const LoggedCall call = OnlyNotice();
    EXPECT_EQ(call.method, "YScalingChanged");
    EXPECT_TRUE(NumbersNear(ReadNumbers(call.args[1]), c.range, 1e-9));
  }
}

TEST_F(ScaleGestures, TheMenuButtonAsksForTheMenuUnderItselfAndAClosingPressDoesNotReopenIt) {
  Show();
  const std::vector<double> box = ButtonBox("menu", 1);
  const double x = (box[0] + box[2]) / 2, y = (box[1] + box[3]) / 2;
  Click(x, y);
  const LoggedCall call = OnlyNotice();
  EXPECT_EQ(call.method, "MakeDropMenu");
  ASSERT_EQ(call.args.size(), 9u);
  EXPECT_THAT(std::vector<std::string>(call.args.begin(), call.args.begin() + 2),
              ElementsAre("local", "2"));
  EXPECT_TRUE(NumbersNear(ReadNumbers("[" + call.args[2] + "," + call.args[3] + "," + call.args[4] +
                                      "," + call.args[5] + "]"),
                          box, 0));
  EXPECT_EQ(call.args[6], "true");
  EXPECT_TRUE(NumbersNear(ReadNumbers("[" + call.args[7] + "," + call.args[8] + "]"), {0, 100}, 0));

  // The menu closes because of a press on the button: that press opens nothing.
  ASSERT_TRUE(Script("etch.get_plot('local').get_scales()[2].menu_closed(" + std::to_string(x) +
                     ", " + std::to_string(y) + ");"));
  Click(x, y);
  EXPECT_THAT(TakeNotices(), IsEmpty());
  Click(x, y);
  EXPECT_EQ(OnlyNotice().method, "MakeDropMenu");
  // Closed elsewhere: the next press opens it.
  ASSERT_TRUE(Script("etch.get_plot('local').get_scales()[2].menu_closed(300, 200);"));
  Click(x, y);
  EXPECT_EQ(OnlyNotice().method, "MakeDropMenu");
}

}  // namespace
}  // namespace Quor
