// The spectrum, histogram and classifier views against a recording plot, opened through their
// class objects: what they plot and under which ids, and the edits a band drag or a box resize
// writes into the settings, with the re-analysis that follows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/views/view_classes.h"
#include "core/tests/non_finite.h"
#include "platform/win32/clock.h"
#include "plotengine/proxy/etch_events.h"
#include "views/classes/tarn_owl_doc_view_class.h"
#include "views/plots/plot_view_classes.h"
#include "views/tests/view_host.h"

namespace ViewsTest {
namespace {

using testing_values::kNaN;

class PlotViews : public ViewHost {
 protected:
  void TearDown() override {
    for (IDocView2* view : views) CloseView(view);
    ViewHost::TearDown();
  }
  template <class Wrapper>
  auto& Open(DWORD n) {
    if (!hosted) OpenDocument(true);
    auto* wrapper = OpenView<Wrapper>(n);
    views.push_back(wrapper);
    return *wrapper->View();
  }
  // The plot script's notice of an element edited in the plot of the view opened last.
  void SendEdit(DWORD type, const char16_t* id, std::vector<double> values) {
    const Quor::String text(id);
    const Quor::EtchArrayPayload payload{text.c_str(), values.data(), DWORD(values.size())};
    plots->last->proxy.subject.Notify(type, 0, &payload);
  }
  // The first n values the proxy's enumerator of a series gives.
  std::vector<float> Enumerated(const char* dataId, int n) {
    Quor::ComPtr<IEnumFloatEx> series = plots->last->proxy.Series().at(dataId);
    std::vector<float> values(n);
    int fetched = 0;
    series->Next(n, values.data(), &fetched);
    values.resize(fetched);
    return values;
  }
  // Whether the plot log since the last look holds the line.
  bool Logged(const std::string& line) {
    const Log log = TakeLog();
    return std::find(log.begin(), log.end(), line) != log.end();
  }
  // Registration makes view number n's class object for the wrapper.
  template <class Wrapper>
  static void ExpectMadeBy(DWORD n) {
    Quor::ComPtr<OwlDocViewClassBase> made;
    made.Attach(Rhyth::NewViewClass(n));
    EXPECT_NE(dynamic_cast<Rhyth::TarnOwlDocViewClass<Wrapper>*>(made.Get()), nullptr) << n;
  }
  int Reanalyses() {
    int runs = 0;
    for (const std::string& notice : Notices()) runs += notice == "end 6";
    return runs;
  }

  std::vector<IDocView2*> views;
};

TEST_F(PlotViews, EachRegistersItsClassAndPlotsItsSeriesUnderItsIds) {
  ExpectMadeBy<Rhyth::SpectrumDocView>(2);
  ExpectMadeBy<Rhyth::RRHistogramDocView>(3);
  ExpectMadeBy<Rhyth::DeltaRRHistogramDocView>(4);
  ExpectMadeBy<Rhyth::ClassifierDocView>(5);
  OpenDocument(true);
  const Rhyth::AnalysisEngine& engine = Analysis().Engine();
  Open<Rhyth::SpectrumDocView>(2);
  EXPECT_TRUE(Logged("RegisterSeries($Rhyth_Spectrum, , rhyth_spectrum_view, 0)"));
  const auto& power = engine.SpectrumResults().power;
  ASSERT_GT(power.GetCount(), 2u);
  const std::vector<float> ms2 = Enumerated("$Rhyth_Spectrum", 2);
  EXPECT_FLOAT_EQ(ms2[1], float(power[1] * 1e6));  // s² shown as ms²

  Open<Rhyth::RRHistogramDocView>(3);
  EXPECT_TRUE(Logged("RegisterSeries($Rhyth_RRHistogram, , rhyth_rr_histogram_view, 0)"));
  const auto& counts = engine.TimeDomain().rrHistogram.counts;
  ASSERT_GT(counts.GetCount(), 0u);
  EXPECT_EQ(Enumerated("$Rhyth_RRHistogram", 1).at(0), float(counts[0]));  // counts unscaled

  Open<Rhyth::DeltaRRHistogramDocView>(4);
  EXPECT_TRUE(
      Logged("RegisterSeries($Rhyth_DeltaRRHistogram, , rhyth_delta_rr_histogram_view, 0)"));

  Open<Rhyth::ClassifierDocView>(5);
  EXPECT_TRUE(Logged(
      "RegisterSeries($Rhyth_Classifier_Y, $Rhyth_Classifier_X, rhyth_classifier_view, 1)"));
  const Rhyth::PlotPoint& first = engine.ClassifierPoints()[0];
  EXPECT_FLOAT_EQ(Enumerated("$Rhyth_Classifier_X", 1).at(0), float(first.x * 1000));
  EXPECT_FLOAT_EQ(Enumerated("$Rhyth_Classifier_Y", 1).at(0), float(first.y));
}

TEST_F(PlotViews, HistogramsRenewRangesAndMarkupOnEveryUpdateWhileSampling) {
  auto& rr = Open<Rhyth::RRHistogramDocView>(3);
  auto& delta = Open<Rhyth::DeltaRRHistogramDocView>(4);
  for (Rhyth::HistogramView* view : {static_cast<Rhyth::HistogramView*>(&rr),
                                     static_cast<Rhyth::HistogramView*>(&delta)}) {
    const struct {
      DWORD code;
      DWORD flags;
    } cases[] = {{1, 0x68}, {2, 0x68}, {4, 0x31}, {6, 0x25}};
    for (const auto& c : cases) {
      DWORD flags = 0;
      view->GetUpdateFlags(c.code, flags);
      EXPECT_EQ(flags, c.flags) << c.code;
    }
    EXPECT_EQ(view->GetMarkupInterval(), 2.0);
  }
}

TEST_F(PlotViews, HistogramMarkupGoesOutAtMostEveryTwoSecondsWhileThrottling) {
  auto clock = std::make_shared<win32::FixedClock>(0, 0);
  win32::SetClock(clock);
  auto& view = Open<Rhyth::RRHistogramDocView>(3);
  DWORD flags = 0;
  view.GetUpdateFlags(0, flags);  // the first refresh of a sampling run: throttling on
  ASSERT_TRUE(view.IsThrottling());
  TakeLog();
  int sent = 0;
  for (int second = 0; second < 5; ++second) {
    view.UpdatePlotData(Rhyth::kMarkup);
    for (const std::string& line : TakeLog()) sent += line.starts_with("SetMarkup");
    clock->Advance(1'000'000'000ULL);
  }
  EXPECT_EQ(sent, 3);  // at 0, 2 and 4 s
  win32::SetClock(nullptr);
}

// The six band edges as the settings keep them, VLF low to HF high.
std::vector<double> BandEdges(const Rhyth::SpectrumParams& bands) {
  return {bands.vlfLow, bands.vlfHigh, bands.lfLow, bands.lfHigh, bands.hfLow, bands.hfHigh};
}

TEST_F(PlotViews, BandDragsStoreCheckedEdgesAndReanalyseOnce) {
  Open<Rhyth::SpectrumDocView>(2);
  const std::vector<double> defaults{0, 0.04, 0.04, 0.15, 0.15, 0.45};
  const std::vector<double> moved{0, 0.04, 0.04, 0.2, 0.2, 0.45};
  const struct Case {
    const char* what;
    const char16_t* id;
    std::vector<double> sent;
    std::vector<double> stored;
  } cases[] = {
      {"the LF/HF edge to 0.2 Hz", u"spectrum_freq_bands", moved, moved},
      {"another element", u"spectrum_freq_band", moved, defaults},
      {"five lines", u"spectrum_freq_bands", {0, 0.04, 0.04, 0.2, 0.2}, defaults},
      {"seven lines", u"spectrum_freq_bands", {0, 0.04, 0.04, 0.2, 0.2, 0.45, 0.48}, moved},
      {"a NaN", u"spectrum_freq_bands", {0, 0.04, 0.04, kNaN, 0.2, 0.45}, defaults},
      {"a negative edge", u"spectrum_freq_bands", {-0.1, 0.04, 0.04, 0.2, 0.2, 0.45}, moved},
      {"an edge above the maximum", u"spectrum_freq_bands",
       {0, 0.04, 0.04, 0.2, 0.2, 0.7}, {0, 0.04, 0.04, 0.2, 0.2, 0.5}},
      {"edges out of order", u"spectrum_freq_bands", {0.04, 0, 0.2, 0.04, 0.45, 0.2}, moved},
  };
  for (const Case& c : cases) {
    Rhyth::SpectrumParams& bands = Settings().spectrum;
    bands.vlfLow = 0, bands.vlfHigh = 0.04, bands.lfLow = 0.04, bands.lfHigh = 0.15;
    bands.hfLow = 0.15, bands.hfHigh = 0.45;
    ClearLog();
    TakeLog();
    SendEdit(Quor::EtchVLinesDraggedType::Id(), c.id, c.sent);
    EXPECT_EQ(BandEdges(bands), c.stored) << c.what;
    const bool changed = c.stored != defaults;
    EXPECT_EQ(Reanalyses(), changed ? 1 : 0) << c.what;
    // The view refreshed once, with the data of the new analysis.
    int handedOver = 0;
    for (const std::string& line : TakeLog()) handedOver += line == "SetData($Rhyth_Spectrum)";
    EXPECT_EQ(handedOver, changed ? 1 : 0) << c.what;
  }
}

TEST_F(PlotViews, BandPowersAfterADragAreThoseOfAFreshAnalysis) {
  Open<Rhyth::SpectrumDocView>(2);
  const double lfBefore = Analysis().Engine().SpectrumResults().lf;
  SendEdit(Quor::EtchVLinesDraggedType::Id(), u"spectrum_freq_bands",
           {0, 0.04, 0.04, 0.2, 0.2, 0.45});
  const double lf = Analysis().Engine().SpectrumResults().lf;
  const double hf = Analysis().Engine().SpectrumResults().hf;
  EXPECT_NE(lf, lfBefore);
  Analyse();
  EXPECT_DOUBLE_EQ(lf, Analysis().Engine().SpectrumResults().lf);
  EXPECT_DOUBLE_EQ(hf, Analysis().Engine().SpectrumResults().hf);
}

TEST_F(PlotViews, WhileTheHostIsBusyAnEditIsStoredWithoutReanalysing) {
  Open<Rhyth::ClassifierDocView>(5);
  Data().Sampling().SetBusy(true);
  ClearLog();
  SendEdit(Quor::EtchBoxResizedType::Id(), u"classifier_box", {700, 1300, 0.9, 1.6});
  EXPECT_EQ(Settings().classifier.rrHigh, 1.3);
  EXPECT_EQ(Data().Log().Redraws(), std::vector<DWORD>{0});
  EXPECT_EQ(Reanalyses(), 0);
  // The view opened last hears the plot's notices.
  Open<Rhyth::SpectrumDocView>(2);
  SendEdit(Quor::EtchVLinesDraggedType::Id(), u"spectrum_freq_bands",
           {0, 0.04, 0.04, 0.2, 0.2, 0.45});
  EXPECT_EQ(Settings().spectrum.lfHigh, 0.2);
  EXPECT_EQ(Reanalyses(), 0);
}

TEST_F(PlotViews, BoxResizesStoreOrderedLimitsInRangeAndReanalyseOnce) {
  Open<Rhyth::ClassifierDocView>(5);
  const std::vector<double> defaults{0.8, 1.2, 1.0, 1.5};
  const std::vector<double> resized{0.7, 1.3, 0.9, 1.6};
  const struct Case {
    const char* what;
    const char16_t* id;
    std::vector<double> sent;  // ms across, form factor up
    std::vector<double> stored;
  } cases[] = {
      {"a resize", u"classifier_box", {700, 1300, 0.9, 1.6}, resized},
      {"beyond the plot across", u"classifier_box", {-50, 70000, 0.9, 1.6}, {0, 60, 0.9, 1.6}},
      {"beyond the plot up", u"classifier_box", {700, 1300, -1, 12}, {0.7, 1.3, 0, 10}},
      {"another element", u"classifier_boxes", {700, 1300, 0.9, 1.6}, defaults},
      {"three values", u"classifier_box", {700, 1300, 0.9}, defaults},
      {"lower above upper", u"classifier_box", {1300, 700, 1.6, 0.9}, resized},
      {"a NaN", u"classifier_box", {700, kNaN, 0.9, 1.6}, defaults},
  };
  for (const Case& c : cases) {
    Rhyth::ClassifierLimits& limits = Settings().classifier;
    limits = {};
    ClearLog();
    SendEdit(Quor::EtchBoxResizedType::Id(), c.id, c.sent);
    const std::vector<double> stored{limits.rrLow, limits.rrHigh, limits.complexityLow,
                                     limits.complexityHigh};
    ASSERT_EQ(stored.size(), c.stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
      EXPECT_NEAR(stored[i], c.stored[i], 1e-12) << c.what << " " << i;
    }
    const bool accepted = c.stored != defaults;
    EXPECT_EQ(Reanalyses(), accepted ? 1 : 0) << c.what;
    EXPECT_EQ(Data().Log().Redraws().size(), accepted ? 1u : 0u) << c.what;
  }
}

TEST_F(PlotViews, BeatsAfterABoxResizeAreClassedAsByAFreshAnalysis) {
  Open<Rhyth::ClassifierDocView>(5);
  const Rhyth::AnalysisEngine& engine = Analysis().Engine();
  const DWORD normalBefore = engine.NormalCount();
  ASSERT_GT(normalBefore, 0u);
  // A box that no beat of the synthetic heart fits: every beat turns ectopic.
  SendEdit(Quor::EtchBoxResizedType::Id(), u"classifier_box", {100, 200, 0.9, 1.6});
  const DWORD normalAfter = engine.NormalCount();
  const DWORD ectopicAfter = engine.EctopicCount();
  EXPECT_EQ(normalAfter, 0u);
  Analyse();
  EXPECT_EQ(engine.NormalCount(), normalAfter);
  EXPECT_EQ(engine.EctopicCount(), ectopicAfter);
}

TEST_F(PlotViews, AClickOnAClassifierPointShowsThatBeat) {
  Open<Rhyth::ClassifierDocView>(5);
  const Rhyth::PlotPoint& point = Analysis().Engine().ClassifierPoints()[2];
  const std::u16string label =
      Quor::String(std::to_string(point.position) + "\t" + std::to_string(point.record))
          .ToStdWString();
  ClearLog();
  const Quor::EtchClickPayload click{u"$Rhyth_Classifier_Y", label.c_str(), 1};
  plots->last->proxy.subject.Notify(Quor::EtchMouseClickType::Id(), 0, &click);
  EXPECT_EQ(Data().Log().ShownBeats(),
            (std::vector<PendrelPosition>{{point.position, point.record}}));
}

}  // namespace
}  // namespace ViewsTest
