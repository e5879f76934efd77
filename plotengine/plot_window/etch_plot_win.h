// Quor::EtchPlotWin: the plot window of a view. It hosts a browser (through CrControl), serves
// the plot page through its own loader, owns the plot's proxy, whose script object the page
// calls as "etch_proxy", and makes the plot once the page is there. It shows the drop-down menu
// of a scale that the page asks for, carries out its commands and opens the scale range dialog
// (etch_plot_menu.cpp). Each plot view holds one as a member and calls it from the view's window
// thread; it lives as long as the view.
#pragma once

#include "core/inter_thread_notifier.h"
#include "plotengine/browser_control/cr_control.h"
#include "plotengine/plot_window/etch_plot_base.h"
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

  // The scale range dialog, posted by "Set Scale..." so that it opens after the menu closed.
  LRESULT OnNotify(WPARAM first, LPARAM second) override;
  // Shows the menu of the page's scale `scaleId` under its button (`left` to `bottom`, in the
  // browser window's client pixels); seeds the scale's stored range with the page's while none
  // is stored.
  void MakeDropMenu(const String& elementId, int scaleId, int left, int top, int right,
                    int bottom, bool enableCommands, bool vertical, double min,
                    double max) override;

 private:
  // The scale menu's messages; false for every other message.
  bool HandleMenuMessage(UINT message, WPARAM wParam);
  void FillMenu(HMENU menu);
  void MenuClosed(HMENU menu);
  void RunMenuCommand(UINT id);
  // The scale the menu was shown for; null while the plot is not bound to its document.
  ScaleProxy* MenuScale() const;
  // Runs ".get_scales()[n]." + `call` on the menu's plot.
  void RunScaleCall(const std::string& call);

  bool m_handled = false;
  BrowserEtchLoader* m_loader;  // one reference
  EtchProxyWin* m_proxy;        // one reference

  // The scale menu: the popup shown (owned) and the request it was shown for.
  HMENU m_menu = nullptr;
  std::int32_t m_menuScale = 0;
  String m_menuPlotId;
  bool m_menuPending = false;
  bool m_menuEnabled = false;
  bool m_menuVertical = false;
};

}  // namespace Quor
