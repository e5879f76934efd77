#include "plotengine/proxy/nearest_data_point.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/tests/non_finite.h"
#include "plotengine/proxy/buffered_float_enum_iterator.h"
#include "plotengine/tests/fake_float_series.h"
#include "plotengine/tests/recording_plot_model.h"

namespace {

using plotengine_test::FakeFloatSeries;
using plotengine_test::RecordingPlotModel;
using Quor::EtchStringMap;
using Quor::FindNearestDataPoint;
using Quor::NearestPointQuery;
using Quor::String;

using testing_values::kNaN;
using testing_values::kInf;

// A model with XY series "<name>" (x values "$x<name>", y values "$y<name>") of the given
// points, plotter id "P<name>".
class XYPlot {
 public:
  void Add(const std::string& name, std::vector<double> xs, std::vector<double> ys, int mode = 1) {
    const String x = String::FromUtf8("$x" + name);
    const String y = String::FromUtf8("$y" + name);
    Set(x, FakeFloatSeries::Make(std::move(xs)));
    Set(y, FakeFloatSeries::Make(std::move(ys)));
    model.SetPlotter(y, x, String::FromUtf8("P" + name), mode);
  }
  // A regularly spaced series "$r<name>".
  void AddRegular(const std::string& name, std::vector<double> ys) {
    const String y = String::FromUtf8("$r" + name);
    Set(y, FakeFloatSeries::Make(std::move(ys)));
    model.SetPlotter(y, u"", String::FromUtf8("P" + name), 0);
  }
  EtchStringMap Find(NearestPointQuery query) const { return FindNearestDataPoint(model, query); }

  RecordingPlotModel model;

 private:
  void Set(const String& id, FakeFloatSeries* series) {
    model.SetData(id, series);
    series->Release();
  }
};

// Pixels are data values: pixel = value * 1 + 0.
NearestPointQuery XYAt(double x, double y) { return {x, y, 1, 0, 1, 0, false, 1, 1}; }

std::string Field(const EtchStringMap& result, const char16_t* key) {
  const auto found = result.find(key);
  return found == result.end() ? "<none>" : found->second.ToUtf8String();
}

TEST(NearestDataPoint, PointsQualifyOnlyStrictlyWithin500Pixels) {
  const struct {
    double distance;
    const char* reported;  // squared pixels, or <none>
  } cases[] = {{300, "90000"}, {499, "249001"}, {500, "<none>"}, {0, "0"}, {10000, "<none>"}};
  for (const auto& c : cases) {
    XYPlot plot;
    plot.Add("a", {100}, {200});
    const EtchStringMap result = plot.Find(XYAt(100 + c.distance, 200));
    EXPECT_EQ(Field(result, u"distance"), c.reported) << c.distance;
    if (result.empty()) continue;
    EXPECT_EQ(Field(result, u"x"), "100");
    EXPECT_EQ(Field(result, u"y"), "200");
    EXPECT_EQ(Field(result, u"plotter_id"), "Pa");
  }
}

TEST(NearestDataPoint, TheNearestPointWinsAndTiesGoToTheFirstSeriesAndPoint) {
  XYPlot plot;
  plot.Add("b", {10, 20, 30}, {0, 0, 0});
  plot.Add("a", {40, 0}, {0, 0});
  // Nearest to 25: b's 20 and 30 tie; 20 is read first.
  EXPECT_EQ(Field(plot.Find(XYAt(25, 0)), u"x"), "20");
  // 35: b's 30 and a's 40 tie; "$ya" sorts before "$yb", so a wins.
  const EtchStringMap tie = plot.Find(XYAt(35, 0));
  EXPECT_EQ(Field(tie, u"x"), "40");
  EXPECT_EQ(Field(tie, u"plotter_id"), "Pa");
  EXPECT_EQ(Field(plot.Find(XYAt(2, 0)), u"x"), "0");
}

TEST(NearestDataPoint, SegmentModeComparesSegmentsAndReportsTheirNearerEnd) {
  XYPlot plot;
  plot.Add("s", {0, 100}, {0, 0}, /*mode=*/0);
  const EtchStringMap result = plot.Find(XYAt(70, 30));
  EXPECT_EQ(Field(result, u"distance"), "900");
  EXPECT_EQ(Field(result, u"x"), "100");
  EXPECT_EQ(Field(plot.Find(XYAt(20, 30)), u"x"), "0");

  XYPlot single;
  single.Add("s", {5}, {5}, 0);
  EXPECT_TRUE(single.Find(XYAt(5, 5)).empty());
}

TEST(NearestDataPoint, EntriesWithAnotherModeAreSkipped) {
  XYPlot plot;
  plot.Add("a", {0}, {0}, 2);
  plot.Add("b", {0}, {0}, -1);
  EXPECT_TRUE(plot.Find(XYAt(0, 0)).empty());
}

TEST(NearestDataPoint, RegularModeComparesTheSampleUnderThePointerVertically) {
  const struct {
    double x;
    double first;
    double spacing;
    const char* sampleX;  // <none>: no candidate
    const char* distance;
  } cases[] = {
      {4.6, 0, 1, "5", "55"},   // sample 5 holds 50, the pointer is at y -5
      {4.4, 0, 1, "4", "45"},
      {-3, 0, 1, "<none>", ""},  // left of the first sample
      {4.6, 2, 1, "5", "35"},    // the first sample sits at 2: sample 3 of the series
      {4.0, 0, 2, "4", "45"},
      {1e12, 0, 1, "<none>", ""},  // far right: saturated, past the series' end
  };
  for (const auto& c : cases) {
    XYPlot plot;
    plot.AddRegular("r", {0, 10, 20, 30, 40, 50, 60});
    NearestPointQuery query = XYAt(c.x, -5);
    query.regular = true;
    query.first = c.first;
    query.spacing = c.spacing;
    const EtchStringMap result = plot.Find(query);
    EXPECT_EQ(Field(result, u"x"), c.sampleX) << c.x;
    if (!result.empty()) {
      EXPECT_EQ(Field(result, u"distance"), c.distance) << c.x;
    }
  }
}

TEST(NearestDataPoint, ScalesThatAreZeroOrNotFiniteFindNothing) {
  for (const double scale : {0.0, kNaN, kInf, -kInf}) {
    XYPlot plot;
    plot.Add("a", {1}, {1});
    NearestPointQuery horizontal = XYAt(1, 1);
    horizontal.ax = scale;
    NearestPointQuery vertical = XYAt(1, 1);
    vertical.ay = scale;
    EXPECT_TRUE(plot.Find(horizontal).empty()) << scale;
    EXPECT_TRUE(plot.Find(vertical).empty()) << scale;
  }
}

TEST(NearestDataPoint, AnEmptyPlotOrAMissingSeriesFindsNothing) {
  XYPlot plot;
  EXPECT_TRUE(plot.Find(XYAt(0, 0)).empty());
  plot.model.SetPlotter(u"$ymissing", u"$xmissing", u"P", 1);
  EXPECT_TRUE(plot.Find(XYAt(0, 0)).empty());
}

TEST(NearestDataPoint, PixelsFollowTheScalesOfBothAxes) {
  XYPlot plot;
  plot.Add("a", {2}, {3});
  // x pixels = 100 v + 5, y pixels = -50 v + 400: the point at (205, 250), the pointer at (235, 290).
  const EtchStringMap result = plot.Find({2.3, 2.2, 100, 5, -50, 400, false, 1, 1});
  EXPECT_EQ(Field(result, u"distance"), "2500");
  EXPECT_EQ(Field(result, u"x"), "2");
  EXPECT_EQ(Field(result, u"y"), "3");
}

}  // namespace

namespace {

TEST(NearestDataPoint, LongSeriesAreReadAcrossBlocksInStep) {
  // 40 points: the reader refills twice; x and y must stay paired across the refills.
  std::vector<double> xs(40), ys(40);
  for (int i = 0; i < 40; ++i) {
    xs[i] = i * 10;
    ys[i] = i * 100;
  }
  XYPlot plot;
  plot.Add("a", xs, ys);
  // Pixels: x as is, y scaled down by 10, so point i sits at (10 i, 10 i).
  const EtchStringMap result = plot.Find({351, 3500, 1, 0, 0.1, 0, false, 1, 1});
  EXPECT_EQ(Field(result, u"x"), "350");
  EXPECT_EQ(Field(result, u"y"), "3500");
  EXPECT_EQ(Field(result, u"distance"), "1");
}

TEST(NearestPointOnSegment, ClampsToTheEndsAndHandlesAPointSegment) {
  using Quor::SegmentPoint;
  const struct {
    SegmentPoint p, a, b;
    float distance;
    SegmentPoint nearest;
  } cases[] = {
      {{3, 4}, {0, 0}, {0, 0}, 25, {0, 0}},     // A = B
      {{15, 3}, {0, 0}, {10, 0}, 34, {10, 0}},  // beyond B
      {{-2, 0}, {0, 0}, {10, 0}, 4, {0, 0}},    // before A
      {{4, 3}, {0, 0}, {10, 0}, 9, {4, 0}},     // over the segment
  };
  for (const auto& c : cases) {
    SegmentPoint nearest{-1, -1};
    EXPECT_EQ(Quor::NearestPointOnSegment(c.p, c.a, c.b, &nearest), c.distance) << c.p.x;
    EXPECT_EQ(nearest.x, c.nearest.x) << c.p.x;
    EXPECT_EQ(nearest.y, c.nearest.y) << c.p.x;
  }
}

}  // namespace
