// Quor::EtchPlotWin: the plot window of a view. It hosts a browser (through CrControl), serves
// the plot page through its own loader, owns the plot's proxy, whose script object the page
// calls as "etch_proxy", and makes the plot once the page is there. Each plot view holds one
// as a member and calls it from the view's window thread; it lives as long as the view.
#pragma once

#include "core/inter_thread_notifier.h"
#include "plotengine/browser_control/cr_control.h"
#include "plotengine/plot_window/etch_plot_base.h"
#include "plotengine/plot_window/plot_output_tasks.h"
#include "plotengine/proxy/etch_proxy_win.h"

namespace Quor {

class BrowserEtchLoader;

class EtchPlotWin final : public EtchPlotBase,
                          public CrControl,
                          public InterThreadNotifier,
                          public IEtchProxyUI {
 public:
  explicit EtchPlotWin(IPendrelHostDocument* document);
  ~EtchPlotWin() override;

  bool RunScript(const String& text) override;
  unsigned GetDoubleClickTime() override;
  std::string GetContainerId() override;
  EtchProxyWin* GetProxy() override { return m_proxy; }

  BOOL ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result, DWORD mapId) override;
  bool OnBrowserCreated(IQuorBrowser* browser) override;
  bool CreateBrowser(HWND parent, const RECT& rect, IQuorBrowser** browser) override;

  LRESULT OnNotify(WPARAM first, LPARAM second) override;
  void MakeDropMenu(const String& elementId, int scaleId, int left, int top, int right,
                    int bottom, bool enableCommands, bool vertical, double min,
                    double max) override;

  // ---- Print, copy and save (etch_plot_win_output.cpp) ----
  // Shows the print dialog and, when the person chose Print, prints the plot with the title once
  // the page answers. The job, with one reference for the caller; the window keeps it too
  // until it is finished.
  EtchPrintJob* Print(const String& title);
  // Puts the plot on the clipboard once the page answers. The task, with one reference for the
  // caller; null when the browser has no window. The window keeps it until it is done or failed.
  EtchCopyTask* Copy();
  // Writes the plot into the file, of the type its extension names, once the page answers.
  void SaveImage(const String& path) override;
  EtchPrintJob* CreatePrintJob(const std::string& title);
  EtchCopyTask* CreateCopyTask();
  const PlotOutputTasks& OutputTasks() const { return m_outputTasks; }

 private:
  PlotOutputTasks m_outputTasks;

  bool m_handled = false;
  BrowserEtchLoader* m_loader;  // one reference
  EtchProxyWin* m_proxy;        // one reference
};

}  // namespace Quor
