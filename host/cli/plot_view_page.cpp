#include "host/cli/plot_view_page.h"

#include <strings.h>

#include <algorithm>
#include <stdexcept>

#include "host/browser/page_inspection.h"
#include "host/document/host_words.h"

namespace PendrelHost {

namespace {

// The framework's view notice that has a view send its markup again.
constexpr DWORD kViewRefreshNotice = 8;

}  // namespace

const std::vector<PlotViewKind>& PlotViewKinds() {
  static const std::vector<PlotViewKind> kinds = {
      {"tachogram", u"Rhyth|AnalysisPlots|Tachogram", "rhyth_tachogram_view"},
      {"rr-histogram", u"Rhyth|AnalysisPlots|RRHistogram", "rhyth_rr_histogram_view"},
      {"delta-rr-histogram", u"Rhyth|AnalysisPlots|DeltaRRHistogram", "rhyth_delta_rr_histogram_view"},
      {"poincare", u"Rhyth|AnalysisPlots|Poincare", "rhyth_poincare_view"},
      {"spectrum", u"Rhyth|AnalysisPlots|Spectrum", "rhyth_spectrum_view"},
      {"classifier", u"Rhyth|ClassifierView", "rhyth_classifier_view"},
  };
  return kinds;
}

const PlotViewKind& FindPlotViewKind(const std::string& name) {
  std::string known;
  for (const PlotViewKind& kind : PlotViewKinds()) {
    if (strcasecmp(name.c_str(), kind.name) == 0) return kind;
    known += (known.empty() ? "" : ", ") + std::string(kind.name);
  }
  throw std::invalid_argument("no plot view is named '" + name + "' (the views: " + known + ")");
}

PlotViewPage::PlotViewPage(AnalysisSession& session, const PlotViewKind& kind, ViewFrameSize frame)
    : m_kind(kind), m_view(session.OpenViewOfMenu(kind.menuItem, frame)) {
  m_page = PendrelBrowser::BrowserInWindow(m_view->Frame());
  if (!m_page) {
    throw SessionError(std::string("the ") + kind.name + " view shows no plot: is a browser installed?");
  }
}

PlotViewPage::~PlotViewPage() { m_view->Close(); }

nlohmann::json PlotViewPage::Evaluate(const std::string& expression) {
  nlohmann::json value;
  std::string error;
  if (FAILED(PendrelBrowser::EvaluateInPage(m_page, expression, value, error))) {
    // The page's exceptions read "Error: what went wrong" and then the script's stack, a line
    // a frame; the reason is what counts.
    if (error.rfind("Error: ", 0) == 0) error.erase(0, 7);
    error.erase(std::min(error.find('\n'), error.size()));
    throw SessionError(error);
  }
  return value;
}

void PlotViewPage::WaitForPaint() {
  Evaluate(
      "new Promise(function (done) {"
      "  var plot = window.etch && etch.get_plot('local');"
      "  if (!plot) throw new Error('the plot page has no plot');"
      "  plot.when_painted().done(function () { done(true); });"
      "})");
}

std::string PlotViewPage::PrintableSvg() {
  const nlohmann::json svg = Evaluate(
      "new Promise(function (done) {"
      "  var plot = etch.get_plot('local');"
      "  plot.when_painted().done(function () { plot.printable_svg().done(done); });"
      "})");
  if (!svg.is_string()) throw SessionError("the page gave no SVG");
  return svg.get<std::string>();
}

void PlotViewPage::RefreshMarkup() { m_view->Notify(DataEventWord(kViewRefreshNotice), nullptr); }

}  // namespace PendrelHost
