// The plot views in the host's real browser through the plot engine's plot window: each view made
// by its class object over an analysed document loads the plot page, hands its series to the
// page under its ids and in its units, and the page paints them where the markup's scales put
// them, in the colours the markup names, without a script error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <regex>

#include "views/options/plot_option_source.h"
#include "views/options/plot_options.h"
#include "views/plots/plot_view_classes.h"
#include "views/plots/poincare_view_class.h"
#include "views/plots/tachogram_view_class.h"
#include "views/tests/browser/plot_views_in_browser.h"

namespace ViewsTest {
namespace {

// Reports how many pixels of the page's canvases are within a small distance of a colour.
constexpr char kCountColourScript[] = R"JS(
window.__count_colour = function (r, g, b) {
  var n = 0;
  Array.prototype.forEach.call(document.getElementsByTagName('canvas'), function (c) {
    var d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    for (var i = 0; i < d.length; i += 4) {
      if (d[i + 3] > 200 && Math.abs(d[i] - r) + Math.abs(d[i + 1] - g) +
          Math.abs(d[i + 2] - b) < 24) ++n;
    }
  });
  return n;
};
)JS";

const Rgb kBlack{0, 0, 0};

std::vector<double> Scaled(const Rhyth::DoubleArray& values, double factor) {
  std::vector<double> scaled;
  for (double v : values) scaled.push_back(v * factor);
  return scaled;
}

template <class Points, class Reader>
std::vector<double> Read(const Points& points, Reader read) {
  std::vector<double> values;
  for (DWORD i = 0; i < points.GetCount(); ++i) values.push_back(read(points[i]));
  return values;
}

double MarkupValue(const std::string& markup, const std::string& pattern) {
  std::smatch match;
  EXPECT_TRUE(std::regex_search(markup, match, std::regex(pattern))) << pattern << " in " << markup;
  return match.empty() ? std::nan("") : std::stod(match[1]);
}

class PlotViewsTable : public PlotViewsInBrowser {
 protected:
  // The colour of the series block of the markup: the one that names the y data.
  static Rgb SeriesColour(const std::string& markup) {
    std::smatch match;
    EXPECT_TRUE(std::regex_search(markup, match, std::regex("ydata: [^}]*colour: (#[0-9a-f]{8})")))
        << markup;
    return match.empty() ? Rgb{} : OverWhite(match[1]);
  }
  std::string Markup(ShownView& shown) { return shown.plot->Window().Markup().ToUtf8String(); }
  int PixelsOf(ShownView& shown, const Rgb& rgb) {
    return std::stoi(Ask(shown,
                         "test.report('count ' + window.__count_colour(" + std::to_string(rgb[0]) +
                             ", " + std::to_string(rgb[1]) + ", " + std::to_string(rgb[2]) + "));",
                         "count "));
  }
  // Sends markup and waits for its paint.
  void RepaintWith(ShownView& shown, const Quor::String& markup) {
    ASSERT_TRUE(shown.plot->SetMarkup(markup));
    WaitForPaint(shown);
  }
  // The spot (page pixels) of a data point shows `colour` rather than any of `others`.
  void ExpectColourAt(ShownView& shown, double x, double y, const Rgb& colour,
                      std::vector<Rgb> others, const std::string& what) {
    const Rgb seen = NearestColour(shown, x, y, colour);
    EXPECT_TRUE(NearestOf(seen, colour, others)) << what << " at " << x << "," << y << " wanted "
                                                 << RgbText(colour) << " saw " << RgbText(seen);
  }
  // Indices 1, n / 2 and n - 2.
  static std::vector<DWORD> MiddleAndEnds(std::size_t n) { return {1, DWORD(n / 2), DWORD(n - 2)}; }

  // A time series (regular x, as its markup says) in its colour at values `at`.
  void ExpectSeriesDrawn(ShownView& shown, const std::vector<double>& y,
                         const std::vector<DWORD>& at) {
    const std::string markup = Markup(shown);
    const DataArea area = AreaOf(shown);
    const double start = MarkupValue(markup, "xdata: \\[([-0-9.e]+):");
    const double step = MarkupValue(markup, "xdata: \\[[-0-9.e]+:([-0-9.e]+):");
    std::vector<Rgb> others{kWhite, kGrid};
    for (const std::string& fill : MarkupColours(markup, "fillcolours: ", 3))
      others.push_back(OverWhite(fill));
    for (DWORD i : at) {
      ExpectColourAt(shown, area.Px(start + step * i), area.Py(y[i]), SeriesColour(markup), others,
                     "value " + std::to_string(i));
    }
  }
  // A histogram fills its three highest bars (bins as its markup says) just below their tops.
  void ExpectHighestBarsDrawn(ShownView& shown, std::vector<double> counts) {
    const std::string markup = Markup(shown);
    const DataArea area = AreaOf(shown);
    const double start = MarkupValue(markup, "bins: \\[([-0-9.e]+):");
    const double width = MarkupValue(markup, "bins: \\[[-0-9.e]+:([-0-9.e]+):");
    const Rgb fill = OverWhite(MarkupColours(markup, "fillcolour: ", 1).at(0));
    for (int k = 0; k < 3; ++k) {
      const auto highest = std::max_element(counts.begin(), counts.end());
      const double i = double(highest - counts.begin());
      ExpectColourAt(shown, area.Px(start + (i + 0.5) * width), area.Py(*highest) + 4, fill,
                     {kWhite, kGrid, kBlack}, "bin " + std::to_string(int(i)));
      *highest = -1;
    }
  }
  // The Poincaré plot's points in the series colour, and its SD1/SD2 ellipse.
  void ExpectPoincareDrawn(ShownView& shown, const Rhyth::BeatPointArray& points) {
    const std::string markup = Markup(shown);
    const DataArea area = AreaOf(shown);
    for (DWORD i : MiddleAndEnds(points.GetCount())) {
      ExpectColourAt(shown, area.Px(points[i].x * 1000), area.Py(points[i].y * 1000),
                     SeriesColour(markup), {kWhite, kGrid, kBlack}, "point " + std::to_string(i));
    }
    const auto tips = EllipseTips(shown, area);
    EXPECT_GE(tips.size(), 2u);
    for (const auto& tip : tips) {
      ExpectColourAt(shown, tip[0], tip[1], kBlack, {kWhite, kGrid}, "an ellipse's tip");
    }
  }
  // Each band's fill lies between its edges; beyond the last edge the page is white. Probed
  // inside each edge by three pixels, at the top of the data area, above the series.
  void ExpectBandFillsBetweenEdges(ShownView& shown) {
    const DataArea area = AreaOf(shown);
    const Rhyth::SpectrumParams& bands = Settings().spectrum;
    std::vector<Rgb> fills;
    for (const std::string& fill : MarkupColours(Markup(shown), "fillcolours: ", 3))
      fills.push_back(OverWhite(fill));
    ASSERT_EQ(fills.size(), 3u);
    const std::vector<std::pair<std::array<double, 2>, Rgb>> spans = {
        {{std::max(bands.vlfLow, area.x.min), bands.vlfHigh}, fills[0]},
        {{bands.lfLow, bands.lfHigh}, fills[1]},
        {{bands.hfLow, bands.hfHigh}, fills[2]},
        {{bands.hfHigh, area.x.max}, kWhite}};
    for (const auto& [span, colour] : spans) {
      for (const double x : {area.Px(span[0]) + 3, area.Px(span[1]) - 3}) {
        std::vector<Rgb> others = fills;
        others.push_back(kWhite);
        others.erase(std::find(others.begin(), others.end(), colour));
        const Rgb seen = NearestColour(shown, x, area.top + 6, colour, 1);
        EXPECT_TRUE(NearestOf(seen, colour, others)) << x << ": " << RgbText(seen);
      }
    }
  }
  // The classifier colours each point by its place against the box: a box around the slower
  // heart's intervals and the lower half of the form factors puts points in all four places.
  // One point of each place is probed, one that no point of another place lies within 8 pixels of.
  void ExpectPointsInTheirClassColours(ShownView& shown, std::vector<double> factors) {
    std::nth_element(factors.begin(), factors.begin() + factors.size() / 2, factors.end());
    Rhyth::ClassifierLimits& limits = Settings().classifier;
    limits.rrLow = 0.6, limits.rrHigh = 0.87;
    limits.complexityLow = 0.5, limits.complexityHigh = factors[factors.size() / 2];
    Analyse();
    const DataArea area = AreaOf(shown);
    std::vector<Rgb> palette;
    for (const std::string& colour : MarkupColours(Markup(shown), "plotcolours: ", 4))
      palette.push_back(OverWhite(colour));
    ASSERT_EQ(palette.size(), 4u);
    // Inside, outside up or down only, outside both ways, outside across only.
    const auto place = [&](const Rhyth::PlotPoint& p) {
      const bool xIn = p.x >= limits.rrLow && p.x <= limits.rrHigh;
      const bool yIn = p.y >= limits.complexityLow && p.y <= limits.complexityHigh;
      return xIn ? (yIn ? 0 : 1) : (yIn ? 3 : 2);
    };
    const auto& points = Analysis().Engine().ClassifierPoints();
    std::array<int, 4> probed{};
    for (DWORD i = 0; i < points.GetCount(); ++i) {
      const int mine = place(points[i]);
      const double px = area.Px(points[i].x * 1000), py = area.Py(points[i].y);
      bool alone = true;
      for (DWORD j = 0; j < points.GetCount(); ++j) {
        alone &= place(points[j]) == mine ||
                 std::hypot(area.Px(points[j].x * 1000) - px, area.Py(points[j].y) - py) > 8;
      }
      if (probed[mine] || !alone) continue;
      std::vector<Rgb> others{kWhite, kGrid};
      for (const Rgb& other : palette) {
        if (other != palette[mine]) others.push_back(other);
      }
      ExpectColourAt(shown, px, py, palette[mine], others, "class " + std::to_string(mine));
      ++probed[mine];
    }
    EXPECT_EQ(probed, (std::array<int, 4>{1, 1, 1, 1}));
  }
  // Tips of the Poincaré ellipse's axes that lie inside the data area, each on the drawn
  // ellipse and at the end of a drawn axis.
  std::vector<std::array<double, 2>> EllipseTips(ShownView& shown, const DataArea& area) {
    const std::string markup = Markup(shown);
    const double x = MarkupValue(markup, "ellipse: \\{x:([-0-9.e]+)");
    const double y = MarkupValue(markup, "ellipse: \\{[^}]* y:([-0-9.e]+)");
    const double a = MarkupValue(markup, "ellipse: \\{[^}]* a:([-0-9.e]+)");
    const double b = MarkupValue(markup, "ellipse: \\{[^}]* b:([-0-9.e]+)");
    const double turn = -MarkupValue(markup, "rotate: ([-0-9.e]+)") * std::acos(-1.0) / 180;
    const double c = std::cos(turn), s = std::sin(turn);
    std::vector<std::array<double, 2>> tips;
    for (const auto& [dx, dy] : {std::pair{a * c, a * s}, std::pair{-a * c, -a * s},
                                 std::pair{-b * s, b * c}, std::pair{b * s, -b * c}}) {
      const double px = area.Px(x + dx), py = area.Py(y + dy);
      if (px > area.left + 3 && px < area.left + area.width - 3 && py > area.top + 3 &&
          py < area.top + area.height - 3) {
        tips.push_back({px, py});
      }
    }
    return tips;
  }
};

TEST_F(PlotViewsTable, EachViewHandsItsSeriesToThePageAndThePageDrawsThem) {
  OpenTwoRecords();
  const Rhyth::AnalysisEngine& engine = Analysis().Engine();
  const auto& rr = engine.RRIntervals();
  const auto& points = engine.PoincarePoints();
  const auto& classes = engine.ClassifierPoints();
  const auto& power = engine.SpectrumResults().power;
  const auto& histograms = engine.TimeDomain();
  ASSERT_GT(rr.GetCount(), 20u);
  ASSERT_GT(power.GetCount(), 100u);

  struct Row {
    Rhyth::RhythViewBase* view;
    std::vector<std::string> dataIds;
    const char* plotId;
    const char* xLabel;
    const char* yLabel;
    std::vector<std::pair<const char*, std::vector<double>>> enumerated;  // per data role
    DWORD dataChange;
    double markupInterval;
  };
  const Row rows[] = {
      {&Show<Rhyth::TachogramView>(),
       {"$Rhyth_Tachogram"},
       "rhyth_tachogram_view",
       "Interval Number",
       "RR Interval (ms)",
       {{"ydata", Scaled(rr, 1000)}},
       0x7FFFFFFF,
       0.05},
      {&Show<Rhyth::SpectrumView>(),
       {"$Rhyth_Spectrum"},
       "rhyth_spectrum_view",
       "Frequency (Hz)",
       "Power (ms²)",
       {{"ydata", Scaled(power, 1e6)}},
       0,
       0.05},
      {&Show<Rhyth::RRHistogramView>(),
       {"$Rhyth_RRHistogram"},
       "rhyth_rr_histogram_view",
       "RR Interval (ms)",
       "Count",
       {{"ydata", Scaled(histograms.rrHistogram.counts, 1)}},
       0,
       2.0},
      {&Show<Rhyth::DeltaRRHistogramView>(),
       {"$Rhyth_DeltaRRHistogram"},
       "rhyth_delta_rr_histogram_view",
       "Delta RR Interval (ms)",
       "Count",
       {{"ydata", Scaled(histograms.deltaHistogram.counts, 1)}},
       0,
       2.0},
      {&Show<Rhyth::ClassifierView>(),
       {"$Rhyth_Classifier_X", "$Rhyth_Classifier_Y"},
       "rhyth_classifier_view",
       "RR Interval (ms)",
       "Complexity",
       {{"xdata", Read(classes, [](const Rhyth::PlotPoint& p) { return p.x * 1000; })},
        {"ydata", Read(classes, [](const Rhyth::PlotPoint& p) { return p.y; })}},
       0x7FFFFFFF,
       0.05},
      {&Show<Rhyth::PoincareView>(),
       {"$Rhyth_Poincare_X", "$Rhyth_Poincare_Y"},
       "rhyth_poincare_view",
       "RR Interval (ms)",
       "Next RR Interval (ms)",
       {{"xdata", Read(points, [](const Rhyth::BeatPoint& p) { return p.x * 1000; })},
        {"ydata", Read(points, [](const Rhyth::BeatPoint& p) { return p.y * 1000; })}},
       0x7FFFFFFF,
       0.05},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.plotId);
    ShownView& shown = Shown(*row.view);
    const std::string plotter =
        "$.grep(etch.get_plot('local').plotters, function (x) { return x.id === '" +
        std::string(row.plotId) + "'; })[0]";
    for (const std::string& id : row.dataIds) {
      EXPECT_EQ(Number(shown, plotter + ".reads_data('" + id + "') ? 1 : 0"), 1) << id;
    }
    EXPECT_EQ(Ask(shown, "test.report('x ' + etch.get_plot('local').values.xlabel);", "x "),
              row.xLabel);
    EXPECT_EQ(Ask(shown, "test.report('y ' + etch.get_plot('local').values.ylabel);", "y "),
              row.yLabel);
    for (const auto& [role, wanted] : row.enumerated) {
      const std::vector<double> seen =
          PlotterValues(shown, row.plotId, role, int(wanted.size()) + 1);
      ASSERT_EQ(seen.size(), wanted.size()) << role;
      for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_NEAR(seen[i], wanted[i], 1e-6 * std::max(1.0, std::abs(wanted[i])))
            << role << " " << i;
      }
    }
    EXPECT_EQ(row.view->GetMarkupInterval(), row.markupInterval);
    row.view->UpdatePlotData(Rhyth::kDataChanged);
    EXPECT_EQ(shown.plot->TakeLog(), (Log{"PlotterDataChanged(" + std::string(row.plotId) + ", " +
                                          std::to_string(row.dataChange) + ")"}));
    WaitForPaint(shown);
  }

  // Each view draws its series colour at three of its data points.
  const std::vector<double>& y = rows[1].enumerated[0].second;
  const auto peak = std::max_element(y.begin(), y.end());
  const auto tenth = std::find_if(y.begin(), y.end(), [&](double p) { return p > *peak / 10; });
  const auto lastTenth =
      std::find_if(y.rbegin(), y.rend(), [&](double p) { return p > *peak / 10; });
  ExpectSeriesDrawn(Shown(*rows[0].view), rows[0].enumerated[0].second,
                    MiddleAndEnds(rr.GetCount()));
  // The spectrum's three: its peak and the first and last of a tenth of its height.
  ExpectSeriesDrawn(
      Shown(*rows[1].view), y,
      {DWORD(tenth - y.begin()), DWORD(peak - y.begin()), DWORD(y.rend() - lastTenth - 1)});
  ExpectHighestBarsDrawn(Shown(*rows[2].view), rows[2].enumerated[0].second);
  ExpectHighestBarsDrawn(Shown(*rows[3].view), rows[3].enumerated[0].second);
  ExpectPoincareDrawn(Shown(*rows[5].view), points);
  ExpectBandFillsBetweenEdges(Shown(*rows[1].view));
  ExpectPointsInTheirClassColours(Shown(*rows[4].view), rows[4].enumerated[1].second);
}

TEST_F(PlotViewsTable, TheTachogramPaintsItsSeriesInTheRealPlotWindow) {
  ShownView& shown = Shown(Show<Rhyth::TachogramView>());
  ASSERT_TRUE(Run(shown, kCountColourScript));
  RepaintWith(shown, shown.plot->Window().Markup());
  EXPECT_GT(PixelsOf(shown, SeriesColour(Markup(shown))), 20);
}

TEST_F(PlotViewsTable, ThePoincarePlotPaintsItsPointsAndLeavesOutAnEllipseOfNoNumber) {
  Rhyth::PoincareView& poincare = Show<Rhyth::PoincareView>();
  ShownView& shown = Shown(poincare);
  ASSERT_TRUE(Run(shown, kCountColourScript));
  RepaintWith(shown, shown.plot->Window().Markup());
  EXPECT_GT(PixelsOf(shown, SeriesColour(Markup(shown))), 20);
  const DataArea area = AreaOf(shown);
  const auto tips = EllipseTips(shown, area);
  ASSERT_GE(tips.size(), 2u);

  // A statistic that is not a number leaves the ellipse out; the points are still painted and
  // the page raises no error (the fixture fails the test on one).
  Rhyth::PlotOptionSource source = Rhyth::GatherPlotOptionSource(poincare.GetDocument());
  source.sd1 = std::numeric_limits<double>::quiet_NaN();
  const Quor::String noEllipse =
      Rhyth::PlotOptions::WritePoincare(source, poincare.XInfo(), poincare.YInfo());
  ASSERT_NE(noEllipse, shown.plot->Window().Markup());
  RepaintWith(shown, noEllipse);
  EXPECT_GT(PixelsOf(shown, SeriesColour(Markup(shown))), 20);
  for (const auto& tip : tips) {
    const Rgb seen = NearestColour(shown, tip[0], tip[1], kBlack, 1);
    EXPECT_GT(ColourDistance(seen, kBlack), 3 * 60 * 60)
        << "an ellipse is drawn: " << RgbText(seen);
  }
}

}  // namespace
}  // namespace ViewsTest
