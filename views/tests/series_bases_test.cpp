// The series and scatter bases against a recording plot: what a refresh hands the proxy, which
// scale ranges it stores or applies, data changes by update mode, clicks on points, and reads
// of the proxy's series during an analysis and after the view and document are gone.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "core/tests/non_finite.h"
#include "host/document/data_document.h"
#include "host/documentfile/document_file.h"
#include "plotengine/proxy/etch_events.h"
#include "views/options/plot_options.h"
#include "views/tests/view_host.h"

namespace ViewsTest {
namespace {

using testing_values::kNaN;
using testing_values::kInf;

class SeriesBases : public ViewHost {
 protected:
  void TearDown() override {
    for (IDocView2* view : views) CloseView(view);
    ViewHost::TearDown();
  }
  TestSeriesView& OpenSeries(bool analysed) {
    OpenDocument(analysed);
    auto* wrapper = OpenView<SeriesWrapper>(1);
    views.push_back(wrapper);
    TakeLog();
    return *wrapper->View();
  }
  TestScatterView& OpenScatter() {
    OpenDocument(true);
    auto* wrapper = OpenView<ScatterWrapper>(6);
    views.push_back(wrapper);
    TakeLog();
    return *wrapper->View();
  }
  StoredRanges& Stored() { return plots->store["test_series_view"]; }

  std::vector<IDocView2*> views;
};

TEST_F(SeriesBases, StoredRangesStayUnlessStoredAnew) {
  TestSeriesView& view = OpenSeries(true);
  Stored() = {{20, 10}, {0, 0}};
  Answers().x = {50, 30};
  Answers().y = {5, 4};
  view.UpdatePlotData(Rhyth::kDefaultRanges);
  EXPECT_EQ(TakeLog(), Log{"StoreY(4, 5)"});
  EXPECT_EQ(Stored().x.max, 20);
  view.UpdatePlotData(Rhyth::kStoreRanges);
  EXPECT_EQ(TakeLog(), (Log{"StoreX(30, 50)", "StoreY(4, 5)"}));
  EXPECT_EQ(Stored().x.max, 50);
}

TEST_F(SeriesBases, RangesThatAreNoneOrNotFiniteAreNeverStoredOrApplied) {
  TestSeriesView& view = OpenSeries(true);
  const Rhyth::ViewRange unusable[] = {{0, 0}, {kNaN, 600}, {1200, kNaN}, {kInf, 0}, {0, -kInf}};
  for (const Rhyth::ViewRange& range : unusable) {
    Stored() = {};
    Answers().x = range;
    Answers().y = range;
    view.UpdatePlotData(Rhyth::kDefaultRanges | Rhyth::kStoreRanges | Rhyth::kApplyRanges);
    EXPECT_EQ(TakeLog(), Log{}) << range.min << ", " << range.max;
  }
  // What is stored with the document survives the view: a view opened again finds it finite.
  Answers().x = {kNaN, 0};
  Answers().y = {2, 1};
  CloseView(views.back());
  views.pop_back();
  Stored() = {};
  views.push_back(OpenView<SeriesWrapper>(1));
  EXPECT_TRUE(Stored().x.IsNone());
  EXPECT_EQ(Stored().y.max, 2);
}

TEST_F(SeriesBases, StoredRangesComeBackFiniteFromTheSavedDocument) {
  TestSeriesView& view = OpenSeries(true);
  // The first refresh stored 10 to 20; a NaN power later neither replaces it nor is kept.
  Answers().x = {kNaN, 600};
  Answers().y = {2, 1};
  view.UpdatePlotData(Rhyth::kStoreRanges);

  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("rhyth-view-ranges-" + std::to_string(::getpid()) + ".pdoc");
  PendrelHost::SaveDocumentFile(*hosted, file);
  PendrelHost::OpenedDocument opened = PendrelHost::OpenDocumentFile(file);
  std::filesystem::remove(file);
  EXPECT_TRUE(opened.problems.empty());
  const PendrelHost::PlotRanges expected{{{u"test_series_view", kPlotAxisX}, {10, 20}},
                                         {{u"test_series_view", kPlotAxisY}, {1, 2}}};
  EXPECT_EQ(opened.document->Data().PlotRangesKept().Ranges(), expected);
}

TEST_F(SeriesBases, AnEmptySeriesClearsTheProxyOnRefreshAndIsHandedOverOnReset) {
  TestSeriesView& view = OpenSeries(false);
  view.UpdatePlotData(Rhyth::kRefreshData);
  EXPECT_EQ(TakeLog(), Log{"ClearAll()"});
  view.UpdatePlotData(Rhyth::kResetData);
  EXPECT_EQ(TakeLog(), (Log{"SetData($Test_Series)",
                            "RegisterSeries($Test_Series, , test_series_view, 0)"}));
  DWORD count = 7;
  view.Info()->GetCount(&count);
  EXPECT_EQ(count, 0u);
}

TEST_F(SeriesBases, ScatterViewsHandOverBothAxesAndPassTheirUpdateMode) {
  TestScatterView& view = OpenScatter();
  view.UpdatePlotData(Rhyth::kResetData | Rhyth::kDataChanged);
  EXPECT_EQ(TakeLog(), (Log{"SetData($Test_X)", "SetData($Test_Y)",
                            "RegisterSeries($Test_Y, $Test_X, test_scatter_view, 1)",
                            "PlotterDataChanged(test_scatter_view, 0)"}));
  double min = 0, max = 0;
  ASSERT_EQ(view.XInfo()->GetRange(&min, &max), S_OK);
  EXPECT_GT(min, 500);  // milliseconds
}

TEST_F(SeriesBases, AClickedPointShowsItsBeat) {
  OpenScatter();
  struct Case {
    const char16_t* label;
    std::vector<std::pair<LONG, LONG>> shown;
  } cases[] = {
      {u"17\t4", {{4, 17}}},
      {u"  2500 \t 0 ", {{0, 2500}}},
      {u"", {}},
      {u"no numbers", {}},  // no longer sends (0x7FFFFFFF, 0x7FFFFFFF)
      {u"17", {}},
  };
  for (const Case& c : cases) {
    Answers().shownBeats.clear();
    const Quor::EtchClickPayload click{u"test_scatter_view", c.label, 1};
    plots->last->proxy.subject.Notify(Quor::EtchMouseClickType::Id(), 0, &click);
    EXPECT_EQ(Answers().shownBeats, c.shown) << Quor::String(c.label).ToUtf8String();
  }
}

// The script reads through the proxy whenever it likes: while an analysis rewrites the series
// it finds none, and after the view and the document have gone it finds none either.
TEST_F(SeriesBases, TheProxysSeriesAreEmptyDuringAnAnalysisAndAfterClose) {
  OpenSeries(true);
  const auto& series = plots->last->proxy.Series();
  ASSERT_EQ(series.count("$Test_Series"), 1u);
  Quor::ComPtr<IEnumFloatEx> held = series.at("$Test_Series");
  auto fetched = [&] {
    int skipped = 0;
    held->Skip(-1000, &skipped);
    float values[64];
    int count = 0;
    held->Next(64, values, &count);
    return count;
  };
  const int analysed = fetched();
  EXPECT_GT(analysed, 0);
  Analysis().SendChangingNotice(4);
  EXPECT_EQ(fetched(), 0);
  Analysis().SendChangedNotice(4);
  CloseView(views.back());
  views.clear();
  hosted.reset();  // the document goes
  EXPECT_EQ(fetched(), 0);
}

}  // namespace
}  // namespace ViewsTest

namespace ViewsTest {
namespace {

class HostColours : public ViewHost {};

TEST_F(HostColours, TheDocumentsDisplayColoursReachThePlotOptions) {
  OpenDocument(false);
  Data().Display().SetChannelColour(0, 0x00345678);
  Rhyth::PlotOptionSource source = Rhyth::GatherPlotOptionSource(Analysis());
  EXPECT_EQ(source.sourceColour, 0x00345678u);
  ASSERT_TRUE(source.gridColour.has_value());
  EXPECT_EQ(Rhyth::PlotOptions::GridColourText(source).ToUtf8String(), "#c0c0c0ff");
  Data().Display().RemoveGridSettings();
  source = Rhyth::GatherPlotOptionSource(Analysis());
  EXPECT_FALSE(source.gridColour.has_value());
  EXPECT_EQ(Rhyth::PlotOptions::GridColourText(source).ToUtf8String(), "#000000ff");
  EXPECT_EQ(Rhyth::PlotOptions::SourceColourText(source, 0.8).ToUtf8String(), "#785634cc");
}

}  // namespace
}  // namespace ViewsTest
