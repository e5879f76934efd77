#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/tests/non_finite.h"
#include "plotengine/proxy/script_call_errors.h"
#include "plotengine/proxy/script_integer.h"
#include "plotengine/tests/fake_float_series.h"
#include "plotengine/tests/recording_plot_model.h"

namespace {

using plotengine_test::FakeFloatSeries;
using plotengine_test::RecordingPlotModel;
using Quor::String;

using testing_values::kNaN;
using testing_values::kInf;

// Hands the model a series and drops the test's own reference.
FakeFloatSeries* AddSeries(RecordingPlotModel& model, const char16_t* id, FakeFloatSeries* series) {
  model.SetData(id, series);
  series->Release();
  return series;
}

TEST(PlotModel, BadPropertyMessagesNameTheKindWithItsArticleAndTheConsequence) {
  const struct {
    const char* kind;
    const char* defaultText;
    const char* message;
  } cases[] = {
      {"array", "", "Error in p: the <em>x</em> property must be an  array; the plotter will fail to draw."},
      {"Number", "1", "Error in p: the <em>x</em> property must be a  Number; using \"1\""},
      {"Object", "", "Error in p: the <em>x</em> property must be an  Object; the plotter will fail to draw."},
      {"", "", "Error in p: the <em>x</em> property must be a  ; the plotter will fail to draw."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Quor::BadPropertyMessage("p", "x", c.kind, c.defaultText), c.message) << c.kind;
  }
}

TEST(PlotModel, BadPropertyReachesTheObserversAndTheShownErrorIsASafeLiteral) {
  RecordingPlotModel model;
  model.BadPlotterProperty(u"plot", u"p", u"x", u"array", u"");
  ASSERT_EQ(model.events.size(), 1u);
  EXPECT_EQ(model.events[0].n, 2u);
  EXPECT_EQ(model.events[0].texts, (std::vector<std::u16string>{u"p", u"x", u"array", u""}));
  EXPECT_TRUE(model.scripts.empty());

  model.ShowErrorsInPlot();
  model.BadPlotterProperty(u"it's", u"p'); alert(1); ('", u"x", u"array", u"");
  ASSERT_EQ(model.scripts.size(), 1u);
  EXPECT_EQ(model.scripts[0],
            "etch.get_plot('it\\'s').show_error('Error in p\\'); alert(1); (\\': the <em>x</em> "
            "property must be an  array; the plotter will fail to draw.');");
}

TEST(PlotModel, CompiledMarkupRunsTheSetupCallAndFailedMarkupRunsNothing) {
  RecordingPlotModel model;
  EXPECT_TRUE(model.CompileMarkup(u"p'1", u"a: 1"));
  ASSERT_EQ(model.scripts.size(), 1u);
  EXPECT_EQ(model.scripts[0],
            "etch.get_plot('p\\'1').setup([\n{\nproperty_name: 'a',\nmarkup:\n1\n}\n]);");
  model.scriptResult = false;
  EXPECT_FALSE(model.CompileMarkup(u"p", u"a: 1"));
  EXPECT_FALSE(model.CompileMarkup(u"p", u"a: 1 b"));
  EXPECT_EQ(model.scripts.size(), 2u);
  ASSERT_EQ(model.events.size(), 3u);
  EXPECT_EQ(model.events[0].n, 1u);
  EXPECT_EQ(model.events[0].flag, 1u);
  EXPECT_EQ(model.events[2].flag, 0u);
}

TEST(PlotModel, ScalingEventsCountTheValuesBeforeTheAutoFlag) {
  const struct {
    std::vector<double> values;
    bool delivered;
    DWORD count;
    DWORD flag;
  } cases[] = {
      {{2.0, 5.0, 0.0}, true, 2, 0},
      {{2.0, 5.0, 1.0}, true, 2, 1},
      {{2.0, 5.0, kNaN}, true, 2, 1},
      {{2.0, 5.0, 7.0, 0.0}, true, 3, 0},
      // No range to report: nothing reaches an observer that reads two ends.
      {{}, false, 0, 0},
      {{1.0}, false, 0, 0},
      {{2.0, 5.0}, false, 0, 0},
  };
  for (const auto& c : cases) {
    RecordingPlotModel model;
    model.XScalingChanged(u"plot", c.values);
    model.YScalingChanged(u"plot", c.values);
    ASSERT_EQ(model.events.size(), c.delivered ? 2u : 0u) << c.values.size();
    if (!c.delivered) continue;
    EXPECT_EQ(model.events[0].n, 5u);
    EXPECT_EQ(model.events[1].n, 6u);
    EXPECT_EQ(model.events[0].count, c.count);
    EXPECT_EQ(model.events[0].flag, c.flag);
    EXPECT_EQ(model.events[0].texts[0], u"plot");
  }
}

TEST(PlotModel, NoticesBecomeTypedEventsAndEmptyArraysAreIgnored) {
  RecordingPlotModel model;
  model.VLinesDragged(u"v", {1.0, 2.0});
  model.BoxResized(u"b", {0, 1, 2, 3});
  model.ZoomLevelChanged(u"z", {4.0});
  model.VLinesDragged(u"v", {});
  model.BoxResized(u"b", {});
  model.ZoomLevelChanged(u"z", {});
  model.SetSVG(u"p", u"copy", u"<svg/>");
  model.RegionPosChanged(u"L1", 10.5, 20.25);
  model.RegionTextChanged(u"T1", u"new");
  ASSERT_EQ(model.events.size(), 6u);
  const DWORD numbers[] = {0, 4, 8, 3, 10, 11};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(model.events[i].n, numbers[i]);
  EXPECT_EQ(model.events[1].values, (std::vector<double>{0, 1, 2, 3}));
  EXPECT_EQ(model.events[3].texts, (std::vector<std::u16string>{u"p", u"copy", u"<svg/>"}));
  EXPECT_EQ(model.events[4].values, (std::vector<double>{10.5, 20.25}));
  EXPECT_EQ(model.events[5].texts, (std::vector<std::u16string>{u"T1", u"new"}));
}

TEST(PlotModel, SeriesAreReadInWholeBlocksOf256FromElementT) {
  const struct {
    int size;
    double t;
    int count;
    size_t delivered;
    double first;
  } cases[] = {
      {1000, 0, 10, 256, 0},    // a whole block, more than asked for
      {100, 0, 10, 100, 0},     // a short block ends the read
      {1000, 10.9, 300, 512, 10},
      {1000, 990, 300, 10, 990},
      {1000, -5, 1, 256, 0},    // the series clamps
      {1000, 1e300, 1, 0, 0},   // a huge t skips to the end instead of overflowing
      {1000, kNaN, 1, 256, 0},
  };
  for (const auto& c : cases) {
    RecordingPlotModel model;
    FakeFloatSeries* series = AddSeries(model, u"$s", FakeFloatSeries::Ramp(c.size));
    std::vector<double> values;
    ASSERT_TRUE(model.RequestPixData(u"$s", c.t, 1.0, c.count, values)) << c.t;
    ASSERT_EQ(values.size(), c.delivered) << c.t;
    if (!values.empty()) {
      EXPECT_EQ(values[0], c.first) << c.t;
    }
    EXPECT_EQ(series->lastBlock, 256);
  }
}

TEST(PlotModel, RequestsForUnknownSeriesFailAndFormulasEvaluate) {
  RecordingPlotModel model;
  AddSeries(model, u"$s", FakeFloatSeries::Ramp(10));
  std::vector<double> values;
  EXPECT_FALSE(model.RequestPixData(u"$unknown", 0, 1, 5, values));
  EXPECT_TRUE(model.RequestPixData(u"$s", 0, 1, 0, values));
  EXPECT_TRUE(values.empty());

  // A name that is no series or formula is itself the formula.
  EXPECT_TRUE(model.RequestPixData(u"t*2", 1.0, 0.5, 3, values));
  EXPECT_EQ(values, (std::vector<double>{2.0, 3.0, 4.0}));
  model.SetEquation(u"double", u"t*2", u"twice t");
  values.clear();
  EXPECT_TRUE(model.RequestPixData(u"double", 0.0, 1.0, 2, values));
  EXPECT_EQ(values, (std::vector<double>{0.0, 2.0}));
  values.clear();
  EXPECT_TRUE(model.RequestPixData(u"t", 0.0, 1.0, -4, values));
  EXPECT_TRUE(values.empty());
}

TEST(PlotModel, AFormulaRequestAboveTheCapFailsWithAScriptErrorInsteadOfAllocating) {
  RecordingPlotModel model;
  std::vector<double> values;
  try {
    model.RequestPixData(u"sin(t)", 0, 1, std::numeric_limits<int>::max(), values);
    FAIL() << "no error";
  } catch (const Quor::ScriptCallError& error) {
    EXPECT_NE(error.GetMessage().ToUtf8String().find("at most 10000000"), std::string::npos);
  }
  EXPECT_THROW(model.RequestPixData(u"t", 0, 1, Quor::EtchProxyBase::kMaxFormulaValues + 1, values),
               Quor::ScriptCallError);
  EXPECT_TRUE(values.empty());
}

TEST(PlotModel, LabelsComeFromTheSeriesLabelFaceOnePerValueRead) {
  RecordingPlotModel model;
  AddSeries(model, u"$s", FakeFloatSeries::Ramp(300));
  AddSeries(model, u"$plain", FakeFloatSeries::Ramp(10, /*labelled=*/false));
  std::vector<String> labels;
  EXPECT_TRUE(model.RequestLabelsData(u"sin(t)", 0, 1, 5, labels));
  EXPECT_TRUE(model.RequestLabelsData(u"", 0, 1, 5, labels));
  EXPECT_TRUE(labels.empty());
  EXPECT_FALSE(model.RequestLabelsData(u"$unknown", 0, 1, 5, labels));
  EXPECT_FALSE(model.RequestLabelsData(u"$plain", 0, 1, 5, labels));
  EXPECT_TRUE(model.RequestLabelsData(u"$s", 0, 1, 0, labels));
  EXPECT_TRUE(labels.empty());

  EXPECT_TRUE(model.RequestLabelsData(u"$s", 40.5, 1, 5, labels));
  ASSERT_EQ(labels.size(), 256u);
  EXPECT_EQ(labels[0], u"L40");
  EXPECT_EQ(labels[255], u"L295");
}

TEST(PlotModel, ClickEventsNameTheSeriesAndItsLabelOrElseThePlotterAndIndex) {
  const struct {
    const char16_t* plotter;
    double index;
    const char16_t* dataId;
    const char16_t* label;
  } cases[] = {
      {u"PLOT", 3.7, u"$y", u"L3"},         // plotter ids match without regard to case
      {u"other", 2.5, u"other", u"2.5"},     // no such plotter: the id and the index
      {u"orphan", 1, u"orphan", u"1"},       // a plotter whose series is gone
      {u"plot", kNaN, u"$y", u"L0"},         // a NaN index reads as 0, not as undefined
      {u"plot", -kInf, u"$y", u""},
      {u"plain", 1, u"$plain", u""},         // a series without labels
  };
  for (const auto& c : cases) {
    RecordingPlotModel model;
    AddSeries(model, u"$y", FakeFloatSeries::Ramp(5));
    AddSeries(model, u"$plain", FakeFloatSeries::Ramp(5, false));
    model.SetPlotter(u"$y", u"$x", u"plot", 1);
    model.SetPlotter(u"$plain", u"", u"plain", 0);
    model.SetPlotter(u"$gone", u"", u"orphan", 0);
    EXPECT_EQ(model.OnMouseClick(c.index, c.plotter, true), u"someDataId");
    ASSERT_EQ(model.events.size(), 1u);
    EXPECT_EQ(model.events[0].n, 9u);
    EXPECT_EQ(model.events[0].texts, (std::vector<std::u16string>{c.dataId, c.label})) << c.index;
    EXPECT_EQ(model.events[0].flag, 1u);
  }
  RecordingPlotModel model;
  EXPECT_EQ(model.OnMouseClick(1, u"", true), u"someDataId");
  EXPECT_TRUE(model.events.empty());
}

TEST(PlotModel, SeriesReferencesFollowTheMapAndFormulasOutliveClearAll) {
  RecordingPlotModel model;
  FakeFloatSeries* first = FakeFloatSeries::Ramp(3);
  FakeFloatSeries* second = FakeFloatSeries::Ramp(3);
  model.SetData(u"$s", first);
  EXPECT_EQ(first->References(), 2);
  model.SetData(u"$s", second);
  EXPECT_EQ(first->References(), 1);
  EXPECT_EQ(second->References(), 2);
  EXPECT_TRUE(model.HasData());
  model.SetEquation(u"f", u"t", u"the text");
  model.SetPlotter(u"$s", u"", u"p", 0);
  model.ClearAll();
  EXPECT_EQ(second->References(), 1);
  EXPECT_FALSE(model.HasData());
  EXPECT_TRUE(model.Plotters().empty());
  EXPECT_TRUE(model.SeriesPlotters().empty());
  EXPECT_EQ(model.RequestEquation(u"f"), u"the text");
  EXPECT_EQ(model.RequestEquation(u"g"), u"");
  first->Release();
  second->Release();
}

TEST(PlotModel, RegisterSeriesIsSetPlotterWithTheViewsArguments) {
  RecordingPlotModel model;
  model.RegisterSeries(u"$y", u"$x", u"poincare", 1);
  const auto& entry = model.SeriesPlotters().at("$y");
  EXPECT_EQ(entry.first, "$x");
  EXPECT_EQ(entry.dataId, "$y");
  EXPECT_EQ(entry.mode, 1);
  EXPECT_EQ(model.Plotters().at("$y"), "poincare");
}

TEST(ScriptInt32, TruncatesTowardZeroAndSaturates) {
  const struct {
    double value;
    std::int32_t expected;
  } cases[] = {{7.99, 7}, {-2.5, -2}, {10.9, 10}, {kNaN, 0}, {kInf, INT32_MAX}, {-kInf, INT32_MIN},
               {3e9, INT32_MAX}, {-3e9, INT32_MIN}, {2147483647.5, INT32_MAX}};
  for (const auto& c : cases) EXPECT_EQ(Quor::ScriptInt32(c.value), c.expected) << c.value;
}

}  // namespace
