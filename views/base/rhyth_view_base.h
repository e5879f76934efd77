// Rhyth::RhythViewBase: the window shared by the six plot views of the analysis. It owns the
// view's plot window and keeps its browser control filling the client area, turns the analysis
// document's notices into update flags (at most one refresh per changing/changed pair),
// throttles the markup it sends to the plotting script, and answers the host's copy, print,
// save-image, size and browser-command requests. What is plotted is the business of the series and scatter
// bases and the concrete views.
//
// Made by the view's document-view wrapper when the host opens the view, on the host's user
// interface thread; destroyed when the host closes the view. It holds the analysis document by
// plain pointer: the wrapper holds the document for as long as the view exists.
#pragma once

#include <memory>
#include <vector>

#include "analysis/document/document.h"
#include "hostframework/cpp_event_handler.h"
#include "hostframework/docview/doc_view_base.h"
#include "platform/owl/window.h"
#include "platform/pendrel/view_messages.h"
#include "views/base/markup_throttle.h"
#include "views/base/update_flags.h"
#include "views/base/view_window_parts.h"
#include "views/plot/view_plot.h"
#include "views/base/plot_ranges.h"

namespace Rhyth {

class RhythViewBase : public OWL::TWindow, public TarnCppEventHandler, public ViewWindow {
  TARN_DECLARE_EVENT_TABLE();

 public:
  // `document` is the analysis document's interface (not held); `parent` the host frame.
  RhythViewBase(HWND parent, IUnknown* document, OWL::TModule* module = nullptr);
  ~RhythViewBase() override;

  virtual Quor::String GetTitle() = 0;
  // ORs the flags of a notice code into `flags`; changes the throttling as the code asks.
  virtual void GetUpdateFlags(DWORD code, DWORD& flags);
  virtual void UpdatePlotData(DWORD flags) = 0;
  // Seconds between two markup sends while throttling is on.
  virtual double GetMarkupInterval() { return 0.05; }

  Quor::String CopyCommandText();
  Quor::String PrintCommandText();

  // Sends now, or holds back until the interval has passed; true when it went out now.
  bool SendMarkupThrottled(const Quor::String& markup);

  // ---- Event handlers (0: handled) ----
  void OnSizeQuery(PendrelViewSize* size);
  void OnBrowserCommand();
  void EnableAlways(TarnCommandState& state) { state.Enable(true); }
  LONG OnCopyMsg();
  LONG OnPrintMsg();
  // The host's request to save the view's image into the file at `path`.
  LONG OnSaveImageMsg(const Quor::String& path);
  LONG OnAcknowledgeMsg() { return 0; }
  // Returns 1: the changing notice is not consumed.
  LONG OnAnalysisChanging();
  LONG OnAnalysisChanged(DWORD code);
  void OnViewRefreshNotice() { UpdatePlotData(kMarkup); }

  bool IsUpToDate() const { return m_upToDate != 0; }
  bool IsThrottling() const { return m_throttle.IsOn(); }
  Document& GetDocument() { return *m_document; }
  ViewPlot* Plot() { return m_plot.get(); }

 protected:
  // The markup a held-back request sends when it falls due: the view's markup as it is then;
  // false when there is none to send.
  virtual bool BuildMarkup(Quor::String& markup) = 0;
  // Creates the browser control, subscribes the view to the document's notices and to the plot
  // proxy's, and binds the plot under its id to the host document.
  void SetUpPlot(const Quor::String& plotId);
  // The first refresh: code 0 while the host is busy (throttled updates follow), else 6.
  void FirstRefresh();
  // Refreshes the plot for `code` unless the view is up to date already; then it is.
  void RefreshForCode(DWORD code);
  // What every refresh does after the data is in place: tells the script of the change (every
  // element with update mode 2), defaults, stores or applies the scale ranges `defaults` gives,
  // and sends the markup.
  template <class Defaults>
  void CarryOutPlotFlags(DWORD flags, const Quor::String& plotId, int updateMode, ViewRange& x,
                         ViewRange& y, Defaults&& defaults) {
    if ((flags & kDataChanged) && m_plot) {
      m_plot->PlotterDataChanged(plotId, updateMode == 2 ? 0x7FFFFFFF : 0);
    }
    CarryOutRangeFlags(flags, m_plot ? m_plot->PersistTask() : nullptr, x, y, defaults);
    Quor::String markup;
    if ((flags & kMarkup) && BuildMarkup(markup)) SendMarkupThrottled(markup);
  }
  // Observes a subject until the window goes.
  void Observe(ISubject* subject);
  void SetUpToDate() { m_upToDate = 0xFFFF; }

  void CleanupWindow() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  Document* m_document = nullptr;
  Settings* m_settings = nullptr;
  // The host document face of the document's site; not held: the document holds it.
  IUnknown* m_hostDocument = nullptr;

 private:
  void SendDueMarkup();
  void StopObserving();

  std::unique_ptr<ViewPlot> m_plot;
  WORD m_upToDate = 0;
  MarkupThrottle m_throttle;
  ObservedSubjects m_observed;
};

}  // namespace Rhyth
