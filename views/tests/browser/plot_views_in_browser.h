// The analysis views in the host's real browser: views opened by the host through their class
// objects over an analysed document of two records, each on the plot engine's real plot window,
// whose calls from the view are logged. The fixture reads each page back (values the plotters
// hold, composed pixels at spots computed from the markup and the data), and moves the pointer
// through the browser's input pipeline as a person does. A page that raised an uncaught script
// error fails the test. One browser process serves every test of the executable; each view is
// one page of it.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "plotengine/tests/browser/browser_page_fixture.h"
#include "plotengine/tests/browser/colour_distance.h"
#include "views/base/rhyth_view_base.h"
#include "views/plot/etch_view_plot.h"
#include "views/tests/view_host.h"

namespace ViewsTest {

using Quor::ColourDistance;
using Quor::NearestOf;
using Quor::Rgb;
using Quor::RgbText;

// The real plot window of a view, logging in order the calls the view makes on it that reach the
// page or leave the plot: "SetMarkup", "PlotterDataChanged(plot id, n)", "Copy", "Print(title)".
class LoggedEtchPlot final : public Rhyth::ViewPlot {
 public:
  explicit LoggedEtchPlot(IUnknown* hostDocument) : m_plot(hostDocument) {}

  bool CreateControl(HWND parent) override { return m_plot.CreateControl(parent); }
  bool SetBounds(const RECT& bounds) override { return m_plot.SetBounds(bounds); }
  void BrowserCommand() override { m_plot.BrowserCommand(); }
  void CreatePersistTask(const Quor::String& plotId) override { m_plot.CreatePersistTask(plotId); }
  bool SetMarkup(const Quor::String& markup) override;
  void PlotterDataChanged(const Quor::String& plotterId, DWORD n) override;
  IUnknown* Copy() override;
  IUnknown* Print(const Quor::String& title) override;
  Quor::EtchProxyBase* Proxy() override { return m_plot.Proxy(); }
  Rhyth::ViewPersistTask* PersistTask() override { return m_plot.PersistTask(); }

  Quor::EtchPlotWin& Window() { return m_plot.Window(); }
  IQuorBrowser* Browser() { return m_plot.Window().Browser(); }
  // The calls since the last look.
  Log TakeLog() { return std::exchange(m_log, {}); }

 private:
  Rhyth::EtchViewPlot m_plot;
  Log m_log;
};

// Where data values land on a page: its data area and the ends of its scales.
struct DataArea {
  double left = 0, top = 0, width = 0, height = 0;
  Rhyth::ViewRange x, y;
  double Px(double value) const { return left + (value - x.min) / (x.max - x.min) * width; }
  double Py(double value) const { return top + (y.max - value) / (y.max - y.min) * height; }
};

// One view the fixture opened, with its plot window and the page's script object "test".
struct ShownView {
  IDocView2* wrapper = nullptr;
  Rhyth::RhythViewBase* view = nullptr;
  LoggedEtchPlot* plot = nullptr;
  Quor::Reporter* reporter = nullptr;  // one reference
};

// Two records of a synthetic heart, 60 beats a minute for 20 s and 75 for 16 s, so that the
// beats of each record lie apart in every view and a beat's record and tick never agree.
inline constexpr double kTwoHeartsRate = 250.0;
PendrelHost::Recording TwoHearts();

class PlotViewsInBrowser : public ViewHost {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Opens the document over TwoHearts and analyses it.
  void OpenTwoRecords();
  // Opens view `View` on the document opened last (two records when none is), waits for its
  // first paint and returns it; the log of its plot starts empty.
  template <class View>
  View& Show() {
    if (!hosted) OpenTwoRecords();
    made = nullptr;
    IDocView2* wrapper = OpenView<Rhyth::TarnOwlDocView<View>>(View::kViewNumber);
    View* view = static_cast<Rhyth::TarnOwlDocView<View>*>(wrapper)->View();
    Adopt(wrapper, view);
    return *view;
  }
  // Opens the six views: tachogram, spectrum, RR and delta-RR histograms, classifier, Poincaré.
  void ShowAll();
  // The n-th view shown.
  ShownView& Of(std::size_t n) { return shownViews.at(n); }
  // The shown view whose window is `view`'s.
  ShownView& Shown(Rhyth::RhythViewBase& view);

  // ---- The page of a view ----
  bool Run(ShownView& shown, const std::string& script);
  // Runs `script`, which reports through test.report, until a report starting with `prefix`
  // arrives; the report without the prefix.
  std::string Ask(ShownView& shown, const std::string& script, const std::string& prefix);
  // Waits until the plot has no paint left to do.
  void WaitForPaint(ShownView& shown);
  // `expression` (a number) evaluated in the page after it painted.
  double Number(ShownView& shown, const std::string& expression);
  // The plotter's values of its data role `axis` ("xdata", "ydata"), the first `count`.
  std::vector<double> PlotterValues(ShownView& shown, const std::string& plotId,
                                    const std::string& axis, int count);
  // Where the view's values land: the page's size, the margins its markup names, and the
  // ranges its scales show.
  DataArea AreaOf(ShownView& shown);
  // The composed colour nearest to `wanted` within `radius` pixels of a point.
  Rgb NearestColour(ShownView& shown, double x, double y, const Rgb& wanted, int radius = 2);

  // ---- A person's pointer, at page pixels (rounded to whole ones, as the page sees them) ----
  void Drag(ShownView& shown, double x0, double y0, double x1, double y1, int steps = 6);
  void Click(ShownView& shown, double x, double y);

  std::vector<ShownView> shownViews;

 private:
  void Adopt(IDocView2* wrapper, Rhyth::RhythViewBase* view);
  void Mouse(ShownView& shown, int action, double x, double y, bool leftHeld);

  LoggedEtchPlot* made = nullptr;
};

// "#rrggbbaa" composed over white.
Rgb OverWhite(const std::string& hexColour);
// The first `count` colours "#rrggbbaa" of the markup after `key` (say "fillcolours: ").
std::vector<std::string> MarkupColours(const std::string& markup, const std::string& key,
                                       std::size_t count);

inline const Rgb kWhite{255, 255, 255};
inline const Rgb kGrid{192, 192, 192};

}  // namespace ViewsTest
