// Rhyth::ReportView: the view window of the HTML report. It holds a browser through the browser
// control, fills the report template from the current analysis and shows the page; it rebuilds
// the page after every analysis and on the host's view notices, copies the page to the
// clipboard as text and as HTML, and prints it through the browser.
//
// Made by the report's document-view wrapper when the host opens the view, on the host's user
// interface thread; destroyed when the host closes it. It holds the analysis document and the
// host's data document by plain pointer: the wrapper holds the document while the view exists.
#pragma once

#include "analysis/document/document.h"
#include "hostframework/cpp_event_handler.h"
#include "hostframework/docview/doc_view_base.h"
#include "platform/owl/window.h"
#include "platform/pendrel/view_messages.h"
#include "plotengine/browser_control/cr_control.h"
#include "views/base/view_window_parts.h"
#include "views/report/report_page.h"

namespace Rhyth {

class ReportView : public OWL::TWindow, public TarnCppEventHandler, public ViewWindow {
  TARN_DECLARE_EVENT_TABLE();

 public:
  static constexpr DWORD kViewNumber = 0;

  // `document` is the analysis document's interface (not held); `parent` the host frame.
  ReportView(HWND parent, IUnknown* document, OWL::TModule* module = nullptr);
  ~ReportView() override;

  Quor::String GetTitle();
  Quor::String GetCopyCommandText();
  Quor::String GetPrintCommandText();

  // The text shown and copied.
  const Quor::String& Page() const { return m_page; }
  Quor::CrControl& Browser() { return m_browser; }

  // ---- Event handlers (0: handled) ----
  LONG CopyAsHtml();
  LONG OnPrintMsg();
  LONG OnAcknowledgeMsg() { return 0; }
  LONG OnAnalysisChanged();
  void OnSizeQuery(PendrelViewSize* size);

 protected:
  void SetupWindow() override;
  void CleanupWindow() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Builds the page from the analysis and shows it.
  void Rebuild();
  void BuildPage(const Quor::String& reportTemplate, Quor::String& page);
  ReportHostTexts HostTexts();

  Document* m_document = nullptr;
  IUnknown* m_hostDocument = nullptr;  // not held: the document holds it
  Settings* m_settings = nullptr;      // the document's
  Quor::CrControl m_browser;
  Quor::String m_template;
  Quor::String m_page;
  ObservedSubjects m_observed;
};

}  // namespace Rhyth
