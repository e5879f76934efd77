// A person's edits in the plot views, as real pointer input in the real browser: dragging the
// spectrum's LF/HF edge and resizing the classifier's box write the settings and analyse once
// again, every open view following; clicking a point shows that beat in the host's data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "analysis/settings/change_flags.h"
#include "views/plots/plot_view_classes.h"
#include "views/plots/poincare_view_class.h"
#include "views/plots/tachogram_view_class.h"
#include "views/tests/browser/plot_views_in_browser.h"

namespace ViewsTest {
namespace {

class PlotViewGestures : public PlotViewsInBrowser {
 protected:
  int Reanalyses() {
    int runs = 0;
    for (const std::string& notice : Notices()) runs += notice == "end 6";
    return runs;
  }
  // Forgets what every view did so far.
  void ForgetLogs() {
    for (ShownView& shown : shownViews) shown.plot->TakeLog();
    ClearLog();
  }
  // Every view refreshed once: it sent its markup once, and its page painted it.
  void ExpectEachViewRefreshedOnce() {
    for (ShownView& shown : shownViews) {
      int sent = 0;
      for (const std::string& call : shown.plot->TakeLog()) sent += call == "SetMarkup";
      EXPECT_EQ(sent, 1) << shown.view->GetTitle().ToUtf8String();
      WaitForPaint(shown);
    }
  }
  // A full analysis of the document with its settings now.
  std::unique_ptr<Rhyth::AnalysisEngine> FromScratch() {
    auto engine = std::make_unique<Rhyth::AnalysisEngine>();
    engine->AnalyseRange(Rhyth::kChangeEverything, Analysis().DataSource(), Settings(),
                         Analysis().Detector().GetFiducialChannel());
    return engine;
  }
  // The beats the host was asked to show, as (record, tick).
  std::vector<std::pair<LONG, LONG>> TakeShownBeats() {
    std::vector<std::pair<LONG, LONG>> shown;
    for (const PendrelPosition& at : Data().Log().ShownBeats())
      shown.push_back({at.record, at.offset});
    Data().Log().Clear();
    return shown;
  }
  // A point of a scatter view that no other point lies within 8 pixels of, from record 1.
  template <class Points, class Spot>
  DWORD LonePointOfRecordOne(const Points& points, Spot spot) {
    for (DWORD i = 0; i < points.GetCount(); ++i) {
      if (points[i].record != 1) continue;
      bool alone = true;
      for (DWORD j = 0; j < points.GetCount(); ++j) {
        const auto [x0, y0] = spot(points[i]);
        const auto [x1, y1] = spot(points[j]);
        alone &= i == j || std::hypot(x1 - x0, y1 - y0) > 8;
      }
      if (alone) return i;
    }
    ADD_FAILURE() << "no point stands alone";
    return 0;
  }
};

TEST_F(PlotViewGestures, DraggingTheLfHfEdgeStoresItAndEveryViewFollowsOneAnalysis) {
  ShowAll();
  ShownView& spectrum = Of(1);
  const DataArea area = AreaOf(spectrum);
  const double halfPixel = (area.x.max - area.x.min) / area.width / 2;
  const double middle = area.top + area.height / 2;
  const Rhyth::SpectrumParams& bands = Settings().spectrum;
  ASSERT_EQ(bands.lfHigh, 0.15);

  // While the host is busy the edges are not draggable, and a drag changes nothing.
  Data().Sampling().SetBusy(true);
  spectrum.view->UpdatePlotData(Rhyth::kMarkup);
  EXPECT_NE(spectrum.plot->Window().Markup().ToUtf8String().find("draggable: false"),
            std::string::npos);
  ForgetLogs();
  Drag(spectrum, area.Px(0.15), middle, area.Px(0.2), middle);
  EXPECT_EQ(bands.lfHigh, 0.15);
  EXPECT_EQ(Reanalyses(), 0);
  Data().Sampling().SetBusy(false);
  spectrum.view->UpdatePlotData(Rhyth::kMarkup);
  EXPECT_NE(spectrum.plot->Window().Markup().ToUtf8String().find("draggable: true"),
            std::string::npos);
  WaitForPaint(spectrum);

  const double lfBefore = Analysis().Engine().SpectrumResults().lf;
  ForgetLogs();
  Drag(spectrum, area.Px(0.15), middle, area.Px(0.2), middle);
  EXPECT_NEAR(bands.lfHigh, 0.2, halfPixel);
  EXPECT_EQ(bands.lfHigh, bands.hfLow);
  EXPECT_EQ(bands.vlfHigh, 0.04);
  EXPECT_EQ(bands.hfHigh, 0.45);
  EXPECT_EQ(Reanalyses(), 1);
  ExpectEachViewRefreshedOnce();
  // The page shows the edge where it was left.
  EXPECT_NEAR(Number(spectrum,
                     "$.grep(etch.get_plot('local').plotters, function (p) {"
                     " return p.id === 'spectrum_freq_bands'; })[0].values.positions[1][1]"),
              bands.lfHigh, 1e-5);  // as the markup writes it

  const Rhyth::Spectrum& after = Analysis().Engine().SpectrumResults();
  EXPECT_NE(after.lf, lfBefore);
  const auto fresh = FromScratch();
  EXPECT_DOUBLE_EQ(after.vlf, fresh->SpectrumResults().vlf);
  EXPECT_DOUBLE_EQ(after.lf, fresh->SpectrumResults().lf);
  EXPECT_DOUBLE_EQ(after.hf, fresh->SpectrumResults().hf);
}

TEST_F(PlotViewGestures, ResizingTheBoxReclassifiesEveryBeatAgainstTheNewLimits) {
  OpenTwoRecords();
  // A box with room around it for the wanted one, inside the plot's ranges.
  Rhyth::ClassifierLimits& limits = Settings().classifier;
  limits.rrLow = 0.75, limits.rrHigh = 1.35, limits.complexityLow = 0.8,
  limits.complexityHigh = 1.7;
  Analyse();
  ShowAll();
  ShownView& classifier = Of(4);

  // While the host is busy the box is not draggable, and a drag changes nothing.
  Data().Sampling().SetBusy(true);
  classifier.view->UpdatePlotData(Rhyth::kMarkup);
  EXPECT_NE(classifier.plot->Window().Markup().ToUtf8String().find("draggable: false"),
            std::string::npos);
  {
    const DataArea area = AreaOf(classifier);
    ForgetLogs();
    Drag(classifier, area.Px(1350), area.Py(1.7), area.Px(1300), area.Py(1.6));
    EXPECT_EQ(limits.rrHigh, 1.35);
    EXPECT_EQ(Reanalyses(), 0);
    EXPECT_TRUE(Data().Log().Redraws().empty());
  }
  Data().Sampling().SetBusy(false);
  classifier.view->UpdatePlotData(Rhyth::kMarkup);
  WaitForPaint(classifier);

  // Two corners, each one edit: the lower left to (700, 0.9), the upper right to (1300, 1.6).
  // Each edit moves the plot's ranges, which are read again for the next.
  const struct {
    double x0, y0, x1, y1;
    double* x;
    double* y;
  } corners[] = {{750, 0.8, 700, 0.9, &limits.rrLow, &limits.complexityLow},
                 {1350, 1.7, 1300, 1.6, &limits.rrHigh, &limits.complexityHigh}};
  for (const auto& c : corners) {
    const DataArea area = AreaOf(classifier);
    ASSERT_LT(area.x.min, std::min(c.x0, c.x1));
    ASSERT_GT(area.x.max, std::max(c.x0, c.x1));
    ASSERT_LT(area.y.min, std::min(c.y0, c.y1));
    ASSERT_GT(area.y.max, std::max(c.y0, c.y1));
    ForgetLogs();
    Drag(classifier, area.Px(c.x0), area.Py(c.y0), area.Px(c.x1), area.Py(c.y1));
    EXPECT_EQ(Reanalyses(), 1);
    EXPECT_EQ(Data().Log().Redraws(), std::vector<DWORD>{0});
    ExpectEachViewRefreshedOnce();
    // Within half a pixel; the RR limits in seconds.
    EXPECT_NEAR(*c.x, c.x1 / 1000, (area.x.max - area.x.min) / area.width / 2 / 1000);
    EXPECT_NEAR(*c.y, c.y1, (area.y.max - area.y.min) / area.height / 2);
  }

  // Every beat is classed as the new limits say: the normal ones are the beats of the series.
  const Rhyth::AnalysisEngine& engine = Analysis().Engine();
  std::set<std::pair<LONG, LONG>> inside, admitted;
  const auto& points = engine.ClassifierPoints();
  for (DWORD i = 0; i < points.GetCount(); ++i) {
    const Rhyth::BeatPoint& p = points[i];
    if (p.x >= limits.rrLow && p.x <= limits.rrHigh && p.y >= limits.complexityLow &&
        p.y <= limits.complexityHigh) {
      inside.insert({p.record, p.position});
    }
  }
  for (DWORD i = 0; i < engine.PoincarePoints().GetCount(); ++i) {
    admitted.insert({engine.PoincarePoints()[i].record, engine.PoincarePoints()[i].position});
  }
  EXPECT_EQ(engine.NormalCount(), inside.size());
  EXPECT_EQ(engine.EctopicCount(), points.GetCount() - inside.size());
  EXPECT_TRUE(std::includes(inside.begin(), inside.end(), admitted.begin(), admitted.end()));
  const auto fresh = FromScratch();
  EXPECT_EQ(engine.NormalCount(), fresh->NormalCount());
  EXPECT_EQ(engine.EctopicCount(), fresh->EctopicCount());
}

TEST_F(PlotViewGestures, AClickOnAPointShowsThatBeatAndAClickBesideShowsNothing) {
  Show<Rhyth::TachogramView>();
  Show<Rhyth::ClassifierView>();
  Show<Rhyth::PoincareView>();
  const Rhyth::AnalysisEngine& engine = Analysis().Engine();
  const Rhyth::BeatPointArray& beats = engine.PoincarePoints();
  const Rhyth::BeatPointArray& classes = engine.ClassifierPoints();
  ASSERT_GT(beats.GetCount(), 4u);

  ShownView& tachogram = Of(0);
  const DataArea t = AreaOf(tachogram);
  ShownView& classifier = Of(1);
  const DataArea c = AreaOf(classifier);
  ShownView& poincare = Of(2);
  const DataArea p = AreaOf(poincare);
  const DWORD onPoincare = LonePointOfRecordOne(beats, [&](const Rhyth::BeatPoint& b) {
    return std::pair{p.Px(b.x * 1000), p.Py(b.y * 1000)};
  });
  const DWORD onClassifier = LonePointOfRecordOne(classes, [&](const Rhyth::BeatPoint& b) {
    return std::pair{c.Px(b.x * 1000), c.Py(b.y)};
  });

  const struct {
    const char* what;
    ShownView& shown;
    double x, y;
    const Rhyth::BeatPoint* beat;  // null: nothing is shown
  } cases[] = {
      {"the tachogram's fourth point", tachogram, t.Px(3), t.Py(engine.RRIntervals()[3] * 1000),
       &beats[3]},
      {"a Poincaré point of the second record", poincare, p.Px(beats[onPoincare].x * 1000),
       p.Py(beats[onPoincare].y * 1000), &beats[onPoincare]},
      {"a classifier point of the second record", classifier, c.Px(classes[onClassifier].x * 1000),
       c.Py(classes[onClassifier].y), &classes[onClassifier]},
      {"the tachogram's empty corner", tachogram, t.left + 4, t.top + 4, nullptr},
      {"the Poincaré plot's empty corner", poincare, p.left + p.width - 4, p.top + 4, nullptr},
      {"the classifier's empty corner", classifier, c.left + 4, c.top + 4, nullptr},
  };
  TakeShownBeats();
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    Click(k.shown, k.x, k.y);
    WaitForPaint(k.shown);
    const std::vector<std::pair<LONG, LONG>> wanted =
        k.beat ? std::vector<std::pair<LONG, LONG>>{{k.beat->record, k.beat->position}}
               : std::vector<std::pair<LONG, LONG>>{};
    EXPECT_EQ(TakeShownBeats(), wanted);
  }
}

}  // namespace
}  // namespace ViewsTest
