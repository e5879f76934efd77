// The plot page with its plotting scripts in the real browser, against a recording proxy: the
// fixture loads "local.html" through a loader that logs what the page asked for, makes the plot
// in the container "local", sends markup and waits for the paint to end (on the plot's own
// promise, never on a clock), and reads composed pixels of the page's canvases.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "plotengine/tests/browser/browser_page_fixture.h"
#include "plotengine/tests/browser/colour_distance.h"
#include "plotengine/tests/browser/recording_etch_proxy.h"

namespace Quor {

// Colours the plot tests draw with and probe for.
inline const Rgb kWhite{255, 255, 255};
inline const Rgb kRed{255, 0, 0};
inline const Rgb kGreen{0, 128, 0};

// Where data values land: the data area of a plot of the page's size and its scale ends.
struct PlotGeometry {
  double left = 0, top = 0, width = 0, height = 0;
  double xmin = 0, xmax = 1, ymin = 0, ymax = 1;
  // Layout of the page (640 by 480) for the plot's margins and scale sizes.
  static PlotGeometry ForMargins(double topMargin, double rightMargin, double xScaleHeight = 75,
                                 double yScaleWidth = 75, double pageWidth = 640,
                                 double pageHeight = 480);
  PlotGeometry WithRange(double x0, double x1, double y0, double y1) const;
  double Px(double x) const { return left + (x - xmin) / (xmax - xmin) * width; }
  double Py(double y) const { return top + (ymax - y) / (ymax - ymin) * height; }
};

class PlotScriptsInBrowser : public PlotPageInBrowser {
 protected:
  // Without the native proxy the page has no "etch_proxy" but the one its scripts may bring.
  explicit PlotScriptsInBrowser(bool nativeProxy = true) : m_nativeProxy(nativeProxy) {}
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Loads the plot page (and makes the plot "local" when asked).
  void LoadPlotPage(bool makePlot = true);
  HRESULT RunInPage(const std::string& text);
  // Installs the pixel probe in the page.
  void InstallProbe();
  // Runs a script; false when it threw.
  bool Script(const std::string& text);
  // Sends markup through set_markup and waits until the plot has painted.
  void SetMarkup(const std::string& markup);
  // Waits until the plot has no paint left to do.
  void WaitForPaint();
  // Runs `text`, which reports through test.report, and waits until a report starting with
  // `prefix` arrives; returns it without the prefix.
  std::string Ask(const std::string& text, const std::string& prefix);
  // The composed colour of the page at a point.
  Rgb Probe(double x, double y);
  // The colour nearest to `wanted` within `radius` pixels of a point.
  Rgb NearestProbe(double x, double y, const Rgb& wanted, int radius = 1);
  // The major (and minor) tick values of the scale etch.kXScale (1) or etch.kYScale (2).
  std::vector<double> TickValues(int scale, bool withMinor = true);
  // Every report so far (the waits keep them), and forgotten.
  std::vector<std::string> TakeReports();
  std::vector<std::string> TakeLoads();
  // Has the page's loader answer the URL `name` under the plot page's prefix with `body`.
  void Serve(const std::string& name, const std::string& mime, const std::string& body);
  // The RequestPixData calls of the proxy's log, which is emptied.
  std::vector<std::string> TakeDataRequests();
  // The calls of the proxy's log that are not data, label, equation or zoom-state questions,
  // and the log is emptied: what the page told the native side.
  std::vector<std::string> TakeNotices();

  // A person's pointer and keys, at page pixels (the nearest whole ones, which is what the
  // page sees), through the browser's input pipeline.
  void Press(double x, double y, int clickCount = 1);
  // Moves with the left button held when it was pressed.
  void MoveTo(double x, double y);
  void Release(double x, double y, int clickCount = 1);
  // Press, `steps` even moves, release; the distance is rounded to whole pixels.
  void Drag(double x0, double y0, double x1, double y1, int steps = 5);
  void Click(double x, double y);
  void DoubleClick(double x, double y);
  void Key(const std::string& key, int modifiers = 0);
  void Type(const std::string& text);

  RecordingEtchProxy* proxy = nullptr;
  IQuorBrowserResourceLoader* loader = nullptr;
  // The page the helpers run their scripts in: the fixture's control unless a test sets
  // another browser (not held).
  IQuorBrowser* page = nullptr;

 private:
  bool m_nativeProxy;
  void Mouse(int action, double x, double y, int clickCount);

  std::vector<std::string> m_reports;
  bool m_leftHeld = false;
};

}  // namespace Quor
