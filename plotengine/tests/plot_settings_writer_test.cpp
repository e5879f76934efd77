#include "plotengine/tasks/plot_settings_writer.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/quor_string.h"
#include "core/tests/non_finite.h"
#include "plotengine/markup/compile_markup.h"

namespace {

using Quor::PlotSettingsState;

using testing_values::kInf;
using testing_values::kNaN;
const std::u16string kDefaultX = u"xscalemin: 0.0, xscalemax: 1.0, do_initial_autoscale_x: true, ";
const std::u16string kDefaultY = u"yscalemin: 0.0, yscalemax: 1.0, do_initial_autoscale_y: true, ";

std::u16string Written(std::u16string options, const PlotSettingsState& state) {
  Quor::WritePlotSettings(options, state);
  return options;
}

PlotSettingsState WithY(double min, double max) {
  PlotSettingsState state;
  state.y = {min, max};
  return state;
}

TEST(PlotSettingsWriter, RangesAreWrittenWithRoundTripDigitsOrAsAutoScaleDefaults) {
  const struct {
    PlotSettingsState state;
    std::u16string yText;
  } cases[] = {
      {WithY(2, 8), u"yscalemin: 2,yscalemax: 8, do_initial_autoscale_y: false, "},
      {WithY(12345678, 0.1), u"yscalemin: 12345678,yscalemax: 0.1, do_initial_autoscale_y: false, "},
      {WithY(-1e-7, 1.0000001), u"yscalemin: -1e-07,yscalemax: 1.0000001, do_initial_autoscale_y: false, "},
      {WithY(0, 0), kDefaultY},
      {WithY(0, 5), u"yscalemin: 0,yscalemax: 5, do_initial_autoscale_y: false, "},
      {WithY(kNaN, 5), kDefaultY},
      {WithY(-kInf, 5), kDefaultY},
      {WithY(1, kInf), kDefaultY},
      {WithY(std::numeric_limits<double>::max(), 5), kDefaultY},
      {WithY(1, std::numeric_limits<double>::lowest()), kDefaultY},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Written(u"a: 1", c.state), u"a: 1," + c.yText + kDefaultX)
        << Quor::String(c.yText).ToUtf8String();
  }
}

TEST(PlotSettingsWriter, AppendedSettingsNeedOneCommaAndNeverFallIntoAComment) {
  const PlotSettingsState none;
  const std::u16string settings = kDefaultY + kDefaultX;
  const struct {
    std::u16string options;
    std::u16string expected;
  } cases[] = {
      {u"a: 1", u"a: 1," + settings},
      {u"a: 1,  \t", u"a: 1,  \t" + settings},
      {u"a: 1,\r\n", u"a: 1,\r\n" + settings},
      {u"a: 1 // the end", u"a: 1 // the end\n," + settings},
      {u"a: 1, // the end\n", u"a: 1, // the end\n\n" + settings},
      {u"a: 'x//y'", u"a: 'x//y'," + settings},
      {u"", u""},
  };
  for (const auto& c : cases) {
    const std::u16string written = Written(c.options, none);
    EXPECT_EQ(written, c.expected) << Quor::String(c.options).ToUtf8String();
    if (c.options.empty()) continue;
    std::string script;
    EXPECT_TRUE(Quor::CompileEtchMarkup(Quor::String(written).ToUtf8String(), script))
        << Quor::String(written).ToUtf8String();
  }
}

TEST(PlotSettingsWriter, RegionPositionsGoInsideTheRegionsOwnObject) {
  PlotSettingsState state;
  state.regionPositions[u"L1"] = {10, 20.5};
  const std::u16string position = u", x_percent: 10, y_percent: 20.5";
  const struct {
    std::u16string region;
    std::u16string expected;
  } cases[] = {
      {u"legend: { id: 'L1', text: 'a' }", u"legend: { id: 'L1', text: 'a'" + position + u" }"},
      {u"legend: {id:'L1'}", u"legend: {id:'L1'" + position + u"}"},
      {u"legend: {id:\"L1\"}", u"legend: {id:\"L1\"" + position + u"}"},
      {u"legend: {id:'L1',}", u"legend: {id:'L1', x_percent: 10, y_percent: 20.5}"},
      {u"legend: {font: {size: 3}, id: 'L1'}", u"legend: {font: {size: 3}, id: 'L1'" + position + u"}"},
      {u"legend: {id: 'L1', font: {size: 3}}", u"legend: {id: 'L1', font: {size: 3}" + position + u"}"},
      {u"legend: {title: 'id: \"X\" }', id: 'L1'}", u"legend: {title: 'id: \"X\" }', id: 'L1'" + position + u"}"},
      {u"legend: {id: 'L1' // mine\n}", u"legend: {id: 'L1'" + position + u" // mine\n}"},
      {u"my_legend: {id: 'L1'}, legend: {id: 'L1'}",
       u"my_legend: {id: 'L1'}, legend: {id: 'L1'" + position + u"}"},
      {u"a: {legend: {id: 'L1'}}", u"a: {legend: {id: 'L1'}}"},  // not the plot's own legend
      {u"legend: {valid: 'L1'}", u"legend: {valid: 'L1'}"},     // no id
      {u"legend: {id: 'L2'}", u"legend: {id: 'L2'}"},           // unknown id
      {u"legend: {id: 'L1'", u"legend: {id: 'L1'"},             // no closing brace
  };
  for (const auto& c : cases) {
    std::u16string options = c.region;
    Quor::InsertRegionPosition(options, u"legend", state);
    EXPECT_EQ(options, c.expected) << Quor::String(c.region).ToUtf8String();
  }
}

TEST(PlotSettingsWriter, StoredRegionTextsAreWrittenBackSoAnEditSurvivesReopening) {
  const struct {
    std::u16string text;
    std::u16string literal;
  } cases[] = {
      {u"plain", u"'plain'"},
      {u"it's", u"\"it's\""},
      {u"both ' and \"", u"'both \\' and \"'"},  // the markup cannot hold both: never broken
      {u"a\\b", u"'a\\\\b'"},
  };
  for (const auto& c : cases) {
    PlotSettingsState state;
    state.regionTexts[u"T1"] = c.text;
    std::u16string options = u"text_region: {id: 'T1', text: 'old'}";
    Quor::InsertRegionPosition(options, u"text_region", state);
    EXPECT_EQ(options, u"text_region: {id: 'T1', text: 'old', text: " + c.literal + u"}");
    EXPECT_EQ(Quor::MarkupStringLiteral(c.text), c.literal);
  }
}

TEST(PlotSettingsWriter, AWrittenPlotWithRangesAndRegionsCompiles) {
  PlotSettingsState state;
  state.x = {-2.5, 12345678.9};
  state.y = {1e-300, 3};
  state.regionPositions[u"L1"] = {33.3, 66.6};
  state.regionPositions[u"T1"] = {1, 2};
  state.regionTexts[u"T1"] = u"it's new";
  std::u16string options =
      u"scatter: {id: 'p', xdata: 'x' [0:1:end], ydata: 'y' [0:1:end]}, "
      u"legend: {id: 'L1', items: ['a', 'b']}, text_region: {id: 'T1', text: 'old'} // note";
  Quor::WritePlotSettings(options, state);
  std::string script;
  ASSERT_TRUE(Quor::CompileEtchMarkup(Quor::String(options).ToUtf8String(), script))
      << Quor::String(options).ToUtf8String();
  for (const char* expected :
       {"xscalemin',\nmarkup:\n-2.5", "12345678.9", "1e-300", "'x_percent': 33.3", "'text': 'it\\'s new'", "do_initial_autoscale_x',\nmarkup:\nfalse"}) {
    EXPECT_NE(script.find(expected), std::string::npos) << expected << "\n" << script;
  }
}

}  // namespace
