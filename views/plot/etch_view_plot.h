// The views' plot interface over the browser plot engine's plot window: the window hosts the
// plot page, its proxy serves the view's series to the page, and its persist task keeps the
// plot's scale ranges with the host document.
#pragma once

#include <memory>

#include "plotengine/plot_window/etch_plot_win.h"
#include "views/plot/view_plot.h"

namespace Rhyth {

class EtchViewPlot final : public ViewPlot {
 public:
  // `hostDocument` may be null or lack the host document's interface: the plot then keeps no
  // ranges with a document.
  explicit EtchViewPlot(IUnknown* hostDocument);
  ~EtchViewPlot() override;

  bool CreateControl(HWND parent) override;
  bool SetBounds(const RECT& bounds) override;
  void BrowserCommand() override;
  void CreatePersistTask(const Quor::String& plotId) override;
  bool SetMarkup(const Quor::String& markup) override;
  void PlotterDataChanged(const Quor::String& plotterId, DWORD n) override;
  IUnknown* Copy() override;
  IUnknown* Print(const Quor::String& title) override;
  void SaveImage(const Quor::String& path) override;
  Quor::EtchProxyBase* Proxy() override;
  ViewPersistTask* PersistTask() override;

  Quor::EtchPlotWin& Window() { return *m_window; }

 private:
  class Persist;

  std::unique_ptr<Quor::EtchPlotWin> m_window;
  std::unique_ptr<Persist> m_persist;
};

// The factory that gives every new view the plot engine's plot window.
std::unique_ptr<ViewPlot> MakeEtchViewPlot(IUnknown* hostDocument);

}  // namespace Rhyth
