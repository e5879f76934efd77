// The plot views in the host's real browser through the plot engine's plot window: a view made
// by its class object over an analysed document loads the plot page, hands its series to the
// page and paints them in the series colour its markup names, without a script error.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <regex>

#include "host/browser/browser_class.h"
#include "host/browser/browser_launch.h"
#include "host/browser/browser_settings.h"
#include "plotengine/tests/browser/browser_page_fixture.h"
#include "views/options/plot_options.h"
#include "views/plot/etch_view_plot.h"
#include "views/plots/poincare_view_class.h"
#include "views/plots/tachogram_view_class.h"
#include "views/tests/view_host.h"

namespace ViewsTest {
namespace {

// Collects the page's uncaught errors; reports how many pixels of the page's canvases are
// within a small distance of a colour.
constexpr char kPageHelpers[] = R"JS(
if (!window.__errors) {
  window.__errors = [];
  window.addEventListener('error', function (e) { window.__errors.push(String(e.message)); });
}
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

class PlotViewInBrowser : public ViewHost {
 protected:
  void SetUp() override {
    ViewHost::SetUp();
    if (PendrelBrowser::BrowserBinary().empty()) {
      GTEST_SKIP() << "no browser: install chromium-headless-shell or name one in PENDREL_BROWSER";
    }
    PendrelBrowser::RegisterBrowserClass();
    PendrelBrowser::SetBrowserTimeout(20'000);
    Rhyth::SetViewPlotFactory([this](IUnknown* hostDocument) {
      auto plot = std::make_unique<Rhyth::EtchViewPlot>(hostDocument);
      made = plot.get();
      return std::unique_ptr<Rhyth::ViewPlot>(std::move(plot));
    });
    reporter = new Quor::Reporter;
    reporter->AddRef();
  }
  void TearDown() override {
    if (view) CloseView(view);
    if (reporter) reporter->Release();
    ViewHost::TearDown();
  }

  template <class View>
  void Open() {
    OpenDocument(true);
    view = OpenView<Rhyth::TarnOwlDocView<View>>(View::kViewNumber);
    ASSERT_NE(made, nullptr);
    ASSERT_NE(made->Window().Browser(), nullptr);
    ASSERT_EQ(made->Window().Browser()->RegisterScriptObject(reporter), S_OK);
  }
  bool Run(const std::string& script) {
    IQuorString* text = Quor::String::FromUtf8(script).GetInterface();
    const HRESULT hr = made->Window().Browser()->ExecuteScript(text);
    text->Release();
    return hr == S_OK;
  }
  // Runs `script` until it reports a line starting with `prefix` (the page may still be
  // loading); the rest of the line.
  std::string Ask(const std::string& script, const std::string& prefix) {
    for (int round = 0; round < 20000; ++round) {
      Run(script);
      for (const std::string& report : reporter->Take()) {
        if (report.rfind(prefix, 0) == 0) return report.substr(prefix.size());
      }
    }
    ADD_FAILURE() << "no report " << prefix << " after " << script;
    return {};
  }
  void WaitForPaint() {
    Ask("if (window.etch && etch.get_plot('local') && !window.__waiting) { window.__waiting = 1;"
        " etch.get_plot('local').when_painted().done(function () {"
        " window.__waiting = 0; test.report('painted'); }); }",
        "painted");
  }
  // The colour of the series block of the markup: the one that names the y data.
  std::array<int, 3> SeriesColour() {
    const std::string markup = made->Window().Markup().ToUtf8String();
    std::smatch match;
    EXPECT_TRUE(std::regex_search(markup, match,
                                  std::regex("ydata: [^}]*colour: #([0-9a-f]{2})([0-9a-f]{2})([0-9a-f]{2})")))
        << markup;
    if (match.empty()) return {};
    return {std::stoi(match[1], nullptr, 16), std::stoi(match[2], nullptr, 16),
            std::stoi(match[3], nullptr, 16)};
  }
  int PixelsOf(const std::array<int, 3>& rgb) {
    return std::stoi(Ask("test.report('count ' + window.__count_colour(" + std::to_string(rgb[0]) +
                             ", " + std::to_string(rgb[1]) + ", " + std::to_string(rgb[2]) + "));",
                         "count "));
  }
  // Sends the markup again, now that the page's errors are collected, and waits for its paint.
  void RepaintWith(const Quor::String& markup) {
    ASSERT_TRUE(made->Window().SetMarkup(markup));
    WaitForPaint();
  }
  std::string Errors() { return Ask("test.report('errors ' + window.__errors.join('|'));", "errors "); }

  Rhyth::EtchViewPlot* made = nullptr;
  IDocView2* view = nullptr;
  Quor::Reporter* reporter = nullptr;
};

TEST_F(PlotViewInBrowser, TheTachogramPaintsItsSeriesInTheRealPlotWindow) {
  Open<Rhyth::TachogramView>();
  WaitForPaint();
  ASSERT_TRUE(Run(kPageHelpers));
  RepaintWith(made->Window().Markup());
  EXPECT_GT(PixelsOf(SeriesColour()), 20);
  EXPECT_EQ(Errors(), "");
}

TEST_F(PlotViewInBrowser, ThePoincarePlotPaintsItsPointsInTheRealPlotWindow) {
  Open<Rhyth::PoincareView>();
  WaitForPaint();
  ASSERT_TRUE(Run(kPageHelpers));
  RepaintWith(made->Window().Markup());
  EXPECT_GT(PixelsOf(SeriesColour()), 20);
  EXPECT_EQ(Errors(), "");

  // A statistic that is not a number leaves the ellipse out; the points are still painted and
  // the page raises no error.
  auto& poincare = *static_cast<Rhyth::TarnOwlDocView<Rhyth::PoincareView>*>(view)->View();
  Rhyth::PlotOptionSource source = Rhyth::GatherPlotOptionSource(poincare.GetDocument());
  source.sd1 = std::numeric_limits<double>::quiet_NaN();
  const Quor::String noEllipse =
      Rhyth::PlotOptions::WritePoincare(source, poincare.XInfo(), poincare.YInfo());
  ASSERT_NE(noEllipse, made->Window().Markup());
  RepaintWith(noEllipse);
  EXPECT_GT(PixelsOf(SeriesColour()), 20);
  EXPECT_EQ(Errors(), "");
}

}  // namespace
}  // namespace ViewsTest
