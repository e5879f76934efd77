// The tachogram and both histograms in the real browser while the host's simulated device replays
// a recording into a growing document: what each update sends to the page, how often the
// histograms' markup goes out on a manual clock, and what the pages hold when sampling stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "analysis/messages/document_messages.h"
#include "host/sampling/sampling_simulator.h"
#include "platform/win32/clock.h"
#include "views/options/full_ranges.h"
#include "views/options/plot_option_source.h"
#include "views/plots/plot_view_classes.h"
#include "views/plots/tachogram_view_class.h"
#include "views/tests/browser/plot_views_in_browser.h"

namespace ViewsTest {
namespace {

constexpr ULONGLONG kSecond = 1'000'000'000ULL;

class PlotViewsOnline : public PlotViewsInBrowser {
 protected:
  void SetUp() override {
    PlotViewsInBrowser::SetUp();
    clock = std::make_shared<win32::FixedClock>(0, 0);
    win32::SetClock(clock);
  }
  void TearDown() override {
    PlotViewsInBrowser::TearDown();
    win32::SetClock(nullptr);
  }
  // An empty document laid out as TwoHearts, analysed online as the host samples into it.
  void OpenForSampling() {
    target = PendrelHost::EmptyRecordingLike(source);
    hosted = std::make_unique<PendrelHost::HostedDocument>(PendrelHost::OpenDocument(target));
    hosted->StartNew();
    AnalysisDocumentTest::AcceptSyntheticBeats(Settings());
    Settings().classifier.rrLow = 0.6;
    Send(Rhyth::ToggleOnlineModeMsg::Id());
    ASSERT_EQ(Settings().analysis.onlineMode, 1);
    simulator = std::make_unique<PendrelHost::SamplingSimulator>(source, target, Data());
  }
  Rhyth::ViewRange TachogramX(Rhyth::TachogramView& view) {
    Rhyth::ViewRange x, y;
    Rhyth::TachogramFullRange(Rhyth::GatherPlotOptionSource(view.GetDocument()), view.Info(), x, y);
    return x;
  }

  std::shared_ptr<win32::FixedClock> clock;
  PendrelHost::Recording source = TwoHearts();
  std::shared_ptr<PendrelHost::Recording> target;
  std::unique_ptr<PendrelHost::SamplingSimulator> simulator;
};

TEST_F(PlotViewsOnline, UpdatesSendWhatChangedAndThePagesEndWithTheEnginesLastValues) {
  OpenForSampling();
  Rhyth::TachogramView& tachogram = Show<Rhyth::TachogramView>();
  Show<Rhyth::RRHistogramView>();
  Show<Rhyth::DeltaRRHistogramView>();

  const std::string tachogramChange = "PlotterDataChanged(rhyth_tachogram_view, 2147483647)";
  int kept = 0, extended = 0;
  Rhyth::ViewRange lastX = TachogramX(tachogram);
  // The manual clock's times at which each histogram sent its markup, in runs: a record's start
  // or end refreshes in full and starts throttling anew.
  std::map<std::size_t, std::vector<std::vector<ULONGLONG>>> markupTimes;
  std::map<std::size_t, int> histogramUpdates;
  const auto observe = [&](const PendrelHost::SamplingStep& step) {
    // A record's start and end refresh the views in full: only the blocks' updates count.
    const bool block = step.phase == PendrelHost::SamplingPhase::kBlock;
    if (block) clock->Advance(ULONGLONG(double(step.count) / kTwoHeartsRate * double(kSecond)));
    const Log log = Of(0).plot->TakeLog();
    const Rhyth::ViewRange x = TachogramX(tachogram);
    if (block && !log.empty()) {
      const bool same = x.min == lastX.min && x.max == lastX.max;
      (same ? kept : extended) += 1;
      // Only the data change, or the change and the new range in the markup (0x68).
      const Log wanted = same ? Log{tachogramChange} : Log{tachogramChange, "SetMarkup"};
      EXPECT_EQ(log, wanted) << "at " << step.from << " of record " << step.record;
    }
    lastX = x;
    for (std::size_t n : {1, 2}) {
      for (const std::string& call : Of(n).plot->TakeLog()) {
        auto& runs = markupTimes[n];
        if (call == "SetMarkup" && (!block || runs.empty())) runs.emplace_back();
        if (call == "SetMarkup") runs.back().push_back(clock->MonotonicNanoseconds());
        histogramUpdates[n] += block && call.starts_with("PlotterDataChanged(");
      }
    }
    return true;
  };
  const PendrelHost::ReplayResult result =
      simulator->Replay({.blockTicks = int64_t(kTwoHeartsRate / 2)}, observe);
  ASSERT_TRUE(result.finished);
  EXPECT_GT(kept, 0);
  EXPECT_GT(extended, 0);
  for (std::size_t n : {1, 2}) {
    SCOPED_TRACE(Of(n).view->GetTitle().ToUtf8String());
    // Every update renews the histogram with the tachogram's.
    EXPECT_EQ(histogramUpdates[n], kept + extended);
    std::size_t sent = 0;
    for (const std::vector<ULONGLONG>& times : markupTimes[n]) {
      sent += times.size();
      for (std::size_t i = 1; i < times.size(); ++i) {
        EXPECT_GE(times[i] - times[i - 1], 2 * kSecond) << "markup " << i;
      }
    }
    // Held back while the updates come every half second, but not for good.
    EXPECT_GT(sent, markupTimes[n].size());
    EXPECT_LT(sent, std::size_t(histogramUpdates[n]));
  }

  // When sampling has stopped each page ends with the engine's last value.
  const Rhyth::AnalysisEngine& engine = Analysis().Engine();
  const struct {
    std::size_t view;
    const char* plotId;
    const Rhyth::DoubleArray& values;
    double factor;
  } ends[] = {{0, "rhyth_tachogram_view", engine.RRIntervals(), 1000},
              {1, "rhyth_rr_histogram_view", engine.TimeDomain().rrHistogram.counts, 1},
              {2, "rhyth_delta_rr_histogram_view", engine.TimeDomain().deltaHistogram.counts, 1}};
  for (const auto& end : ends) {
    SCOPED_TRACE(end.plotId);
    ASSERT_GT(end.values.GetCount(), 2u);
    const std::vector<double> seen =
        PlotterValues(Of(end.view), end.plotId, "ydata", int(end.values.GetCount()) + 1);
    ASSERT_EQ(seen.size(), end.values.GetCount());
    EXPECT_NEAR(seen.back(), end.values[end.values.GetCount() - 1] * end.factor, 1e-3);
  }
}

}  // namespace
}  // namespace ViewsTest
