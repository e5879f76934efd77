#include "views/tests/browser/plot_views_in_browser.h"

#include <gmock/gmock.h>

#include <cmath>
#include <regex>
#include <sstream>

#include "host/browser/browser_input.h"
#include "host/browser/browser_launch.h"
#include "host/browser/browser_settings.h"
#include "host/recording/synthetic_ecg.h"
#include "views/plots/plot_view_classes.h"
#include "views/plots/poincare_view_class.h"
#include "views/plots/tachogram_view_class.h"

namespace ViewsTest {

namespace {

// The page's helper: the colour of its canvases composed over the white page, in z order, at
// each pixel within a radius of a point; the one nearest a wanted colour.
constexpr char kNearestColourScript[] = R"JS(
if (!window.__nearest_colour) window.__nearest_colour = function (x, y, radius, want) {
  var layers = Array.prototype.slice.call(document.getElementsByTagName('canvas'))
      .map(function (c, i) { return {c: c, z: Number(getComputedStyle(c).zIndex) || 0, i: i}; })
      .sort(function (a, b) { return a.z - b.z || a.i - b.i; });
  function at(px, py) {
    var rgb = [255, 255, 255];
    layers.forEach(function (layer) {
      var r = layer.c.getBoundingClientRect();
      if (px < r.left || py < r.top || px >= r.right || py >= r.bottom) return;
      var d = layer.c.getContext('2d').getImageData(Math.floor(px - r.left),
                                                    Math.floor(py - r.top), 1, 1).data;
      var a = d[3] / 255;
      for (var k = 0; k < 3; ++k) rgb[k] = Math.round(d[k] * a + rgb[k] * (1 - a));
    });
    return rgb;
  }
  function distance(c) {
    return Math.pow(c[0] - want[0], 2) + Math.pow(c[1] - want[1], 2) + Math.pow(c[2] - want[2], 2);
  }
  var best = at(x, y);
  for (var dx = -radius; dx <= radius; ++dx) {
    for (var dy = -radius; dy <= radius; ++dy) {
      var seen = at(x + dx, y + dy);
      if (distance(seen) < distance(best)) best = seen;
    }
  }
  return best.join(',');
};
)JS";

double MarkupNumber(const std::string& markup, const std::string& key, double fallback) {
  std::smatch match;
  if (!std::regex_search(markup, match, std::regex("(^|[ ,{])" + key + ": *([-0-9.e]+)"))) {
    return fallback;
  }
  return std::stod(match[2]);
}

}  // namespace

// ---- LoggedEtchPlot ----

bool LoggedEtchPlot::SetMarkup(const Quor::String& markup) {
  m_log.push_back("SetMarkup");
  return m_plot.SetMarkup(markup);
}

void LoggedEtchPlot::PlotterDataChanged(const Quor::String& plotterId, DWORD n) {
  m_log.push_back("PlotterDataChanged(" + plotterId.ToUtf8String() + ", " + std::to_string(n) +
                  ")");
  m_plot.PlotterDataChanged(plotterId, n);
}

IUnknown* LoggedEtchPlot::Copy() {
  m_log.push_back("Copy");
  return m_plot.Copy();
}

IUnknown* LoggedEtchPlot::Print(const Quor::String& title) {
  m_log.push_back("Print(" + title.ToUtf8String() + ")");
  return m_plot.Print(title);
}

// ---- PlotViewsInBrowser ----

void PlotViewsInBrowser::SetUp() {
  ViewHost::SetUp();
  if (PendrelBrowser::BrowserBinary().empty()) {
    GTEST_SKIP() << "no browser: install chromium-headless-shell or name one in PENDREL_BROWSER";
  }
  PendrelBrowser::RegisterBrowserClass();
  // A loaded machine (every test running at once) can take seconds to answer a page call.
  PendrelBrowser::SetBrowserTimeout(20'000);
  PendrelBrowser::TakePageErrors();
  Rhyth::SetViewPlotFactory([this](IUnknown* hostDocument) {
    auto plot = std::make_unique<LoggedEtchPlot>(hostDocument);
    made = plot.get();
    return std::unique_ptr<Rhyth::ViewPlot>(std::move(plot));
  });
}

void PlotViewsInBrowser::TearDown() {
  // Settle every page, so that each error it raised has been collected.
  for (ShownView& shown : shownViews) Run(shown, "0");
  if (!IsSkipped()) {
    EXPECT_THAT(PendrelBrowser::TakePageErrors(), ::testing::ElementsAre());
  }
  for (ShownView& shown : shownViews) {
    CloseView(shown.wrapper);
    shown.reporter->Release();
  }
  shownViews.clear();
  ViewHost::TearDown();
}

PendrelHost::Recording TwoHearts() {
  PendrelHost::Recording two(kTwoHeartsRate);
  const struct {
    double start, seconds, beatsPerMinute;
    uint64_t seed;
  } records[] = {{0, 20, 60, 1}, {40, 16, 75, 2}};
  for (std::size_t record = 0; record < 2; ++record) {
    PendrelHost::SyntheticEcgSettings settings;
    settings.sampleRate = kTwoHeartsRate;
    settings.duration = records[record].seconds;
    settings.meanHeartRate = records[record].beatsPerMinute;
    settings.heartRateStd = 3;
    settings.seed = records[record].seed;
    const PendrelHost::Recording heart = PendrelHost::MakeSyntheticEcg(settings).recording;
    if (record == 0) two.AddChannel(heart.Channel(0));
    two.AddRecord(records[record].start);
    two.AppendSamples(record, std::vector<std::span<const float>>{heart.Samples(0, 0)});
    two.CloseRecord(record);
  }
  return two;
}

void PlotViewsInBrowser::OpenTwoRecords() {
  Open(TwoHearts());
  AnalysisDocumentTest::AcceptSyntheticBeats(Settings());
  // The faster heart's beats are normal too.
  Settings().classifier.rrLow = 0.6;
  Analyse();
}

void PlotViewsInBrowser::Adopt(IDocView2* wrapper, Rhyth::RhythViewBase* view) {
  ASSERT_NE(made, nullptr) << "the view made no plot window";
  ASSERT_NE(made->Browser(), nullptr);
  ShownView shown{wrapper, view, made, new Quor::Reporter};
  shown.reporter->AddRef();
  shownViews.push_back(shown);
  ASSERT_EQ(made->Browser()->RegisterScriptObject(shown.reporter), S_OK);
  ASSERT_TRUE(Run(shownViews.back(), kNearestColourScript));
  WaitForPaint(shownViews.back());
  made->TakeLog();
}

void PlotViewsInBrowser::ShowAll() {
  Show<Rhyth::TachogramView>();
  Show<Rhyth::SpectrumView>();
  Show<Rhyth::RRHistogramView>();
  Show<Rhyth::DeltaRRHistogramView>();
  Show<Rhyth::ClassifierView>();
  Show<Rhyth::PoincareView>();
}

ShownView& PlotViewsInBrowser::Shown(Rhyth::RhythViewBase& view) {
  for (ShownView& shown : shownViews) {
    if (shown.view == &view) return shown;
  }
  throw std::logic_error("not a shown view");
}

bool PlotViewsInBrowser::Run(ShownView& shown, const std::string& script) {
  IQuorString* text = Quor::String::FromUtf8(script).GetInterface();
  const HRESULT hr = shown.plot->Browser()->ExecuteScript(text);
  text->Release();
  return hr == S_OK;
}

std::string PlotViewsInBrowser::Ask(ShownView& shown, const std::string& script,
                                    const std::string& prefix) {
  if (!Run(shown, script)) {
    ADD_FAILURE() << "the page refused " << script;
    return {};
  }
  // Each round trip lets the page's timers run; it answers when it is free.
  for (int round = 0; round < 100000; ++round) {
    for (const std::string& report : shown.reporter->Take()) {
      if (report.rfind(prefix, 0) == 0) return report.substr(prefix.size());
    }
    if (!Run(shown, "0")) break;
  }
  ADD_FAILURE() << "no report " << prefix << " after " << script;
  return {};
}

void PlotViewsInBrowser::WaitForPaint(ShownView& shown) {
  Ask(shown,
      "(function wait() {"
      " var plot = window.etch && etch.get_plot('local');"
      " if (!plot || !plot.scales) { setTimeout(wait, 10); return; }"
      " plot.when_painted().done(function () { test.report('painted'); });"
      "})();",
      "painted");
}

double PlotViewsInBrowser::Number(ShownView& shown, const std::string& expression) {
  WaitForPaint(shown);
  return std::stod(Ask(shown, "test.report('number ' + (" + expression + "));", "number "));
}

std::vector<double> PlotViewsInBrowser::PlotterValues(ShownView& shown, const std::string& plotId,
                                                      const std::string& axis, int count) {
  WaitForPaint(shown);
  const std::string answer =
      Ask(shown,
          "var p = $.grep(etch.get_plot('local').plotters, function (x) { return x.id === '" +
              plotId + "'; })[0], d = p && p.values['" + axis +
              "'], out = [];"
              "for (var i = 0; d && i < Math.min(d.count(), " +
              std::to_string(count) +
              "); ++i) out.push(d.value(i));"
              "test.report('values ' + out.join(' '));",
          "values ");
  std::istringstream in(answer);
  std::vector<double> values;
  for (double v; in >> v;) values.push_back(v);
  return values;
}

DataArea PlotViewsInBrowser::AreaOf(ShownView& shown) {
  WaitForPaint(shown);
  const std::string markup = shown.plot->Window().Markup().ToUtf8String();
  const double width = Number(shown, "window.innerWidth");
  const double height = Number(shown, "window.innerHeight");
  DataArea area;
  area.left = MarkupNumber(markup, "yscalewidth", 75);
  area.top = MarkupNumber(markup, "topmargin", 3);
  area.width = width - area.left - MarkupNumber(markup, "rightmargin", 3);
  area.height = height - area.top - MarkupNumber(markup, "xscaleheight", 75);
  // The ranges the scales show: the plot's stored ones, which need not be the full ranges.
  const auto shownRange = [&](const std::string& scale) {
    const std::string ends = "etch.get_plot('local').get_scales()[etch." + scale + "]";
    return Rhyth::ViewRange{Number(shown, ends + ".max"), Number(shown, ends + ".min")};
  };
  area.x = shownRange("kXScale");
  area.y = shownRange("kYScale");
  EXPECT_LT(area.x.min, area.x.max) << markup;
  EXPECT_LT(area.y.min, area.y.max) << markup;
  return area;
}

Rgb PlotViewsInBrowser::NearestColour(ShownView& shown, double x, double y, const Rgb& wanted,
                                      int radius) {
  std::ostringstream script;
  script << "test.report('rgb ' + __nearest_colour(" << std::round(x) << ", " << std::round(y)
         << ", " << radius << ", [" << wanted[0] << "," << wanted[1] << "," << wanted[2] << "]));";
  std::istringstream answer(Ask(shown, script.str(), "rgb "));
  Rgb colour{};
  char comma;
  answer >> colour[0] >> comma >> colour[1] >> comma >> colour[2];
  return colour;
}

void PlotViewsInBrowser::Mouse(ShownView& shown, int action, double x, double y, bool leftHeld) {
  PendrelBrowser::MouseInput input;
  input.action = PendrelBrowser::MouseAction(action);
  input.x = std::round(x), input.y = std::round(y);
  input.leftHeld = leftHeld;
  EXPECT_EQ(PendrelBrowser::SendMouse(shown.plot->Browser(), input), S_OK) << x << "," << y;
  // A round trip, so that whatever the event started has run.
  Run(shown, "0");
}

void PlotViewsInBrowser::Drag(ShownView& shown, double x0, double y0, double x1, double y1,
                              int steps) {
  using PendrelBrowser::MouseAction;
  // The page sees whole pixels; the distance moved is what a drag changes.
  const double dx = std::round(x1 - x0), dy = std::round(y1 - y0);
  x0 = std::round(x0), y0 = std::round(y0);
  Mouse(shown, int(MouseAction::Move), x0, y0, false);
  Mouse(shown, int(MouseAction::Press), x0, y0, true);
  for (int i = 1; i <= steps; ++i) {
    Mouse(shown, int(MouseAction::Move), x0 + dx * i / steps, y0 + dy * i / steps, true);
  }
  Mouse(shown, int(MouseAction::Release), x0 + dx, y0 + dy, false);
}

void PlotViewsInBrowser::Click(ShownView& shown, double x, double y) {
  using PendrelBrowser::MouseAction;
  Mouse(shown, int(MouseAction::Move), x, y, false);
  Mouse(shown, int(MouseAction::Press), x, y, true);
  Mouse(shown, int(MouseAction::Release), x, y, false);
}

Rgb OverWhite(const std::string& hexColour) {
  const auto part = [&](int i) { return std::stoi(hexColour.substr(1 + 2 * i, 2), nullptr, 16); };
  const double alpha = hexColour.size() >= 9 ? part(3) / 255.0 : 1.0;
  Rgb rgb{};
  for (int i = 0; i < 3; ++i) rgb[i] = int(std::lround(part(i) * alpha + 255 * (1 - alpha)));
  return rgb;
}

std::vector<std::string> MarkupColours(const std::string& markup, const std::string& key,
                                       std::size_t count) {
  std::vector<std::string> colours;
  const std::size_t start = markup.find(key);
  if (start == std::string::npos) return colours;
  for (std::size_t at = markup.find('#', start); at != std::string::npos && colours.size() < count;
       at = markup.find('#', at + 1)) {
    colours.push_back(markup.substr(at, 9));
  }
  return colours;
}

}  // namespace ViewsTest
