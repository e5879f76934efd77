#include "plotengine/tests/browser/plot_script_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <cmath>
#include <sstream>

#include "host/browser/browser_input.h"
#include "host/browser/browser_settings.h"
#include "platform/win32/resources.h"
#include "plotengine/browser_etch_loader.h"
#include "plotengine/html_string_reader.h"
#include "plotengine/markup/js_string_literal.h"

HMODULE PlotBrowserTestHostResources();

namespace Quor {
namespace {

// The plot page's loader, noting each URL it was asked for and whether it served it. Answers
// that a test gives for a URL come first.
class LoggingLoader final : public SimpleUnknownImp1<IQuorBrowserResourceLoader, 0> {
 public:
  LoggingLoader() : m_inner(new BrowserEtchLoader) { m_inner->AddRef(); }
  ~LoggingLoader() override { m_inner->Release(); }
  HRESULT Load(IAutoQuorString* url, IAutoQuorString** mime, IQuorStreamReader** stream) override {
    const std::string text = String(url).ToUtf8String();
    const HRESULT hr = Answer(text, mime, stream) ? S_OK : m_inner->Load(url, mime, stream);
    std::lock_guard lock(m_mutex);
    m_loads.push_back(text + (hr == S_OK ? "" : " [not served]"));
    return hr;
  }
  std::vector<std::string> Take() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_loads, {});
  }
  void Serve(const std::string& url, const std::string& mime, const std::string& body) {
    std::lock_guard lock(m_mutex);
    m_answers[url] = {mime, body};
  }

 private:
  bool Answer(const std::string& url, IAutoQuorString** mime, IQuorStreamReader** stream) {
    std::lock_guard lock(m_mutex);
    const auto found = m_answers.find(url);
    if (found == m_answers.end()) return false;
    *mime = String::FromUtf8(found->second.first).GetInterface();
    *stream = new HtmlStringReader(String::FromUtf8(found->second.second));
    (*stream)->AddRef();
    return true;
  }

  IQuorBrowserResourceLoader* m_inner;
  std::mutex m_mutex;
  std::vector<std::string> m_loads;
  std::map<std::string, std::pair<std::string, std::string>> m_answers;
};

// Composes the page's canvases at a point over the white page, in z order.
constexpr char kProbeScript[] = R"JS(
window.__probe = function (x, y) {
  var canvases = Array.prototype.slice.call(document.getElementsByTagName('canvas'));
  var layers = canvases.map(function (c, i) {
    return {canvas: c, z: Number(getComputedStyle(c).zIndex) || 0, order: i};
  }).sort(function (a, b) { return a.z - b.z || a.order - b.order; });
  var rgb = [255, 255, 255];
  layers.forEach(function (layer) {
    var r = layer.canvas.getBoundingClientRect();
    if (x < r.left || y < r.top || x >= r.right || y >= r.bottom) return;
    var d = layer.canvas.getContext('2d').getImageData(Math.floor(x - r.left),
                                                      Math.floor(y - r.top), 1, 1).data;
    var a = d[3] / 255;
    for (var k = 0; k < 3; ++k) rgb[k] = Math.round(d[k] * a + rgb[k] * (1 - a));
  });
  return rgb.join(',');
};
)JS";

}  // namespace

PlotGeometry PlotGeometry::ForMargins(double topMargin, double rightMargin, double xScaleHeight,
                                      double yScaleWidth, double pageWidth, double pageHeight) {
  PlotGeometry g;
  g.left = yScaleWidth;
  g.top = topMargin;
  g.width = pageWidth - yScaleWidth - rightMargin;
  g.height = pageHeight - topMargin - xScaleHeight;
  return g;
}

PlotGeometry PlotGeometry::WithRange(double x0, double x1, double y0, double y1) const {
  PlotGeometry g = *this;
  g.xmin = x0, g.xmax = x1, g.ymin = y0, g.ymax = y1;
  return g;
}

void PlotScriptsInBrowser::SetUpTestSuite() {
  PlotPageInBrowser::SetUpTestSuite();
  win32::SetExecutableModule(PlotBrowserTestHostResources());
}

void PlotScriptsInBrowser::SetUp() {
  PlotPageInBrowser::SetUp();
  PendrelBrowser::TakePageErrors();
  proxy = new RecordingEtchProxy;
  proxy->AddRef();
  if (m_nativeProxy) {
    ASSERT_EQ(control.Browser()->RegisterScriptObject(proxy), S_OK);
  }
  loader = new LoggingLoader;
  loader->AddRef();
  ASSERT_TRUE(control.SetResourceLoader(loader));
}

void PlotScriptsInBrowser::TearDown() {
  // Settle the page, so that every error it raised has been collected.
  Run(u"0");
  EXPECT_THAT(PendrelBrowser::TakePageErrors(), ::testing::ElementsAre());
  loader->Release();
  proxy->Release();
  PlotPageInBrowser::TearDown();
}

void PlotScriptsInBrowser::LoadPlotPage(bool makePlot) {
  ASSERT_TRUE(control.Navigate(String(kEtchPlotPrefix).ToUtf8String() + "local.html"));
  InstallProbe();
  if (makePlot) {
    ASSERT_TRUE(Script("etch.make_plot('local').dblclick_ms(500);"));
  }
}

void PlotScriptsInBrowser::InstallProbe() { ASSERT_TRUE(Script(kProbeScript)); }

HRESULT PlotScriptsInBrowser::RunInPage(const std::string& text) {
  IQuorBrowser* browser = page ? page : control.Browser();
  IQuorString* script = String::FromUtf8(text).GetInterface();
  const HRESULT hr = browser->ExecuteScript(script);
  script->Release();
  return hr;
}

bool PlotScriptsInBrowser::Script(const std::string& text) { return RunInPage(text) == S_OK; }

void PlotScriptsInBrowser::SetMarkup(const std::string& markup) {
  ASSERT_TRUE(Script("etch.get_plot('local').set_markup(" + JsStringLiteral(markup) + ");"));
  WaitForPaint();
}

void PlotScriptsInBrowser::WaitForPaint() {
  Ask("etch.get_plot('local').when_painted().done(function () { test.report('painted'); });",
      "painted");
}

std::string PlotScriptsInBrowser::Ask(const std::string& text, const std::string& prefix) {
  if (!Script(text)) {
    ADD_FAILURE() << "the page refused " << text;
    return {};
  }
  // Each round trip to the page lets its timers run; the page answers when it is free.
  for (int round = 0; round < 100000; ++round) {
    for (std::string& report : reporter->Take()) m_reports.push_back(std::move(report));
    const auto found = std::find_if(m_reports.begin(), m_reports.end(), [&](const std::string& r) {
      return r.rfind(prefix, 0) == 0;
    });
    if (found != m_reports.end()) {
      std::string answer = found->substr(prefix.size());
      m_reports.erase(found);
      return answer;
    }
    if (RunInPage("0") != S_OK) break;
  }
  ADD_FAILURE() << "no report " << prefix << " after " << text;
  return {};
}

Rgb PlotScriptsInBrowser::Probe(double x, double y) {
  std::ostringstream script;
  script << "test.report('rgb ' + __probe(" << x << ", " << y << "));";
  std::istringstream answer(Ask(script.str(), "rgb "));
  Rgb colour{};
  char comma;
  answer >> colour[0] >> comma >> colour[1] >> comma >> colour[2];
  return colour;
}

Rgb PlotScriptsInBrowser::NearestProbe(double x, double y, const Rgb& wanted, int radius) {
  Rgb best = Probe(x, y);
  for (int dx = -radius; dx <= radius; ++dx) {
    for (int dy = -radius; dy <= radius; ++dy) {
      const Rgb seen = Probe(x + dx, y + dy);
      if (ColourDistance(seen, wanted) < ColourDistance(best, wanted)) best = seen;
    }
  }
  return best;
}

std::vector<double> PlotScriptsInBrowser::TickValues(int scale, bool withMinor) {
  const std::string answer = Ask(
      "var t = etch.get_plot('local').get_scales()[" + std::to_string(scale) +
          "].ticks(); test.report('ticks ' + t.major" + (withMinor ? ".concat(t.minor)" : "") +
          ".join(' '));",
      "ticks ");
  std::istringstream in(answer);
  std::vector<double> values;
  for (double v; in >> v;) values.push_back(v);
  return values;
}

std::vector<std::string> PlotScriptsInBrowser::TakeReports() {
  for (std::string& report : reporter->Take()) m_reports.push_back(std::move(report));
  return std::exchange(m_reports, {});
}

std::vector<std::string> PlotScriptsInBrowser::TakeLoads() {
  return static_cast<LoggingLoader*>(loader)->Take();
}

void PlotScriptsInBrowser::Serve(const std::string& name, const std::string& mime,
                                 const std::string& body) {
  static_cast<LoggingLoader*>(loader)->Serve(String(kEtchPlotPrefix).ToUtf8String() + name, mime,
                                             body);
}

std::vector<std::string> PlotScriptsInBrowser::TakeDataRequests() {
  std::vector<std::string> requests;
  for (std::string& call : proxy->TakeCalls()) {
    if (call.rfind("RequestPixData(", 0) == 0) requests.push_back(std::move(call));
  }
  return requests;
}

std::vector<std::string> PlotScriptsInBrowser::TakeNotices() {
  std::vector<std::string> notices;
  for (std::string& call : proxy->TakeCalls()) {
    const std::string method = call.substr(0, call.find('('));
    if (method == "RequestPixData" || method == "RequestLabelsData" ||
        method == "RequestEquation" || method == "IsZoomEnabled" || method == "HasData") {
      continue;
    }
    notices.push_back(std::move(call));
  }
  return notices;
}

void PlotScriptsInBrowser::Mouse(int action, double x, double y, int clickCount) {
  PendrelBrowser::MouseInput input;
  input.action = PendrelBrowser::MouseAction(action);
  // The page sees whole pixels: the nearest, so that a spot is hit within half a pixel.
  input.x = std::round(x), input.y = std::round(y);
  input.clickCount = clickCount;
  input.leftHeld = m_leftHeld;
  IQuorBrowser* browser = page ? page : control.Browser();
  EXPECT_EQ(PendrelBrowser::SendMouse(browser, input), S_OK) << "mouse at " << x << "," << y;
  // A round trip, so that whatever the event started has run.
  RunInPage("0");
}

void PlotScriptsInBrowser::Press(double x, double y, int clickCount) {
  m_leftHeld = true;
  Mouse(int(PendrelBrowser::MouseAction::Press), x, y, clickCount);
}

void PlotScriptsInBrowser::MoveTo(double x, double y) {
  Mouse(int(PendrelBrowser::MouseAction::Move), x, y, 0);
}

void PlotScriptsInBrowser::Release(double x, double y, int clickCount) {
  m_leftHeld = false;
  Mouse(int(PendrelBrowser::MouseAction::Release), x, y, clickCount);
}

void PlotScriptsInBrowser::Drag(double x0, double y0, double x1, double y1, int steps) {
  // The distance moved is what a drag changes: whole pixels, within half a pixel of the wish.
  const double dx = std::round(x1 - x0), dy = std::round(y1 - y0);
  x0 = std::round(x0), y0 = std::round(y0);
  x1 = x0 + dx, y1 = y0 + dy;
  Press(x0, y0);
  for (int i = 1; i <= steps; ++i) MoveTo(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
  Release(x1, y1);
}

void PlotScriptsInBrowser::Click(double x, double y) {
  MoveTo(x, y);
  Press(x, y);
  Release(x, y);
}

void PlotScriptsInBrowser::DoubleClick(double x, double y) {
  Click(x, y);
  Press(x, y, 2);
  Release(x, y, 2);
}

void PlotScriptsInBrowser::Key(const std::string& key, int modifiers) {
  IQuorBrowser* browser = page ? page : control.Browser();
  EXPECT_EQ(PendrelBrowser::SendKey(browser, key, modifiers), S_OK) << key;
  RunInPage("0");
}

void PlotScriptsInBrowser::Type(const std::string& text) {
  IQuorBrowser* browser = page ? page : control.Browser();
  EXPECT_EQ(PendrelBrowser::SendText(browser, text), S_OK) << text;
  RunInPage("0");
}

}  // namespace Quor
