// The six plot views of the analysis as the command line opens them: each by the module's menu
// item that asks the host for it, in a frame of a given size, with the page its plot window
// shows, which the command line reads and drives through the host's browser component. A view
// lives until the caller lets it go, and must go before the session's document.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/cli/analysis_session.h"
#include "platform/pendrel/browser.h"

namespace PendrelHost {

struct PlotViewKind {
  const char* name;          // as script lines name it, e.g. "tachogram"
  const char16_t* menuItem;  // the module's menu item that opens it
  const char* plotId;        // the plot's id, which names its files
};

// The six, in the order of the module's menus.
const std::vector<PlotViewKind>& PlotViewKinds();
// By name, in any letter case; throws std::invalid_argument naming the six for another.
const PlotViewKind& FindPlotViewKind(const std::string& name);

class PlotViewPage {
 public:
  // Opens the view on the session's analysis; throws SessionError when it does not open or
  // its plot has no page (no browser installed).
  PlotViewPage(AnalysisSession& session, const PlotViewKind& kind, ViewFrameSize frame = {});
  ~PlotViewPage();
  PlotViewPage(const PlotViewPage&) = delete;
  PlotViewPage& operator=(const PlotViewPage&) = delete;

  const PlotViewKind& Kind() const { return m_kind; }
  HostedView& View() { return *m_view; }

  // The value of a script expression in the page (a promise waited for); throws SessionError
  // with the page's reason when it threw.
  nlohmann::json Evaluate(const std::string& expression);
  // Until the plot has no paint left to do.
  void WaitForPaint();
  // The plot as the printable SVG text (UTF-8) that its page hands over for a copy, once the
  // paint in progress has ended.
  std::string PrintableSvg();
  // Has the view send its markup again, so the page shows what the settings hold now.
  void RefreshMarkup();

 private:
  const PlotViewKind& m_kind;
  std::unique_ptr<HostedView> m_view;
  IQuorBrowser* m_page = nullptr;  // the view's, not held
};

}  // namespace PendrelHost
