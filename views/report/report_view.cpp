#include "views/report/report_view.h"

#include <cstring>

#include "analysis/document/document_ids.h"
#include "analysis/module_strings.h"
#include "platform/pendrel/document_time_text.h"
#include "platform/pendrel/host_events.h"
#include "platform/pendrel/recording_document.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/global_memory.h"
#include "views/classes/view_titles.h"
#include "views/report/html_clipboard.h"
#include "views/report/report_template.h"

namespace Rhyth {

namespace {

constexpr UINT kCopyTextId = 10;
constexpr UINT kPrintTextId = 11;
constexpr PendrelTextFormat kPlaceOfData{kSelectionOfData, 0, 0};

using ViewChangedNotice = TypeIdClass<&GUID_TarnViewFramework, 2>;
using ViewRefreshNotice = TypeIdClass<&GUID_TarnViewFramework, 8>;

// The name a document gives; empty when it gives none.
template <class NamedDocument>
Quor::String NameOf(NamedDocument* document) {
  BSTR name = nullptr;
  if (document) document->GetName(&name);
  Quor::String text;
  text.AdoptBSTR(name);
  return text;
}

Quor::String PositionText(IPendrelDocumentTimeText* document, LONG offset, LONG record,
                          DWORD flags, BYTE mode) {
  IQuorString* text = nullptr;
  if (!document || FAILED(document->PositionToText(0, &kPlaceOfData, offset, record, flags, mode,
                                                   &text)) || !text) {
    return Quor::String();
  }
  Quor::String written;
  written.Adopt(static_cast<IAutoQuorString*>(text));
  return written;
}

// The page's UTF-16 units with their NUL, as the clipboard's Unicode text.
void CopyUnicodeText(const Quor::String& page, HWND owner) {
  const SIZE_T bytes = (SIZE_T(page.Length()) + 1) * sizeof(WCHAR);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return;
  void* memory = GlobalLock(block);
  if (!memory) {
    GlobalFree(block);
    return;
  }
  std::memcpy(memory, page.c_str(), bytes);
  GlobalUnlock(block);
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  // The clipboard owns a block it takes; one it refuses is still ours.
  if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
  CloseClipboard();
}

}  // namespace

TARN_DEFINE_EVENT_TABLE(ReportView, TarnEventHandlerBase,
    EvMessage<&ReportView::CopyAsHtml>(&TarnConstantId<kHostCopyMsgId>),
    EvMessage<&ReportView::OnPrintMsg>(&TarnConstantId<kHostPrintMsgId>),
    EvMessage<&ReportView::OnAcknowledgeMsg>(&TarnConstantId<kHostViewAcknowledgeMsgId>),
    EvNotice<&ReportView::OnAnalysisChanged>(&AnalysisChangedMsg::IdPointer),
    SizeQueryEntry<ReportView>(),
    EvNotice<&ReportView::OnAnalysisChanged>(&ViewChangedNotice::IdPointer),
    EvNotice<&ReportView::OnAnalysisChanged>(&ViewRefreshNotice::IdPointer))

ReportView::ReportView(HWND parent, IUnknown* document, OWL::TModule* module)
    : OWL::TWindow(static_cast<OWL::TWindow*>(nullptr), nullptr, module),
      m_document(DocumentBehind(document)) {
  SetParentHandle(parent);
  if (m_document) {
    m_settings = &m_document->GetSettings();
    m_hostDocument = m_document->DataDocument();
  }
  Attr.Style |= WS_CLIPCHILDREN;
}

ReportView::~ReportView() { m_observed.StopObserving(*this); }

Quor::String ReportView::GetTitle() { return ViewTitle(kViewNumber); }

Quor::String ReportView::GetCopyCommandText() { return ModuleString(kCopyTextId); }

Quor::String ReportView::GetPrintCommandText() { return ModuleString(kPrintTextId); }

void ReportView::SetupWindow() {
  OWL::TWindow::SetupWindow();
  m_browser.Create(GetHandle(), RECT{0, 0, 0, 0});
  if (m_document) m_observed.Observe(*this, m_document->NoticeSubject().Get());
  m_template = LoadReportTemplate();
  Rebuild();
}

void ReportView::CleanupWindow() { m_observed.StopObserving(*this); }

LRESULT ReportView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = OWL::TWindow::WindowProc(message, wParam, lParam);
  if (message == WM_SIZE) {
    m_browser.SetBounds(GetClientRect());
  }
  return result;
}

void ReportView::Rebuild() {
  BuildPage(m_template, m_page);
  m_browser.LoadHtml(m_page);
}

void ReportView::BuildPage(const Quor::String& reportTemplate, Quor::String& page) {
  if (!m_document) return;
  page = ReportPage::Build(reportTemplate, *m_settings, m_document->Engine(),
                           [this] { return HostTexts(); });
}

ReportHostTexts ReportView::HostTexts() {
  ReportHostTexts texts;
  Quor::ComPtr<IPendrelDocumentTimeText> data;
  if (m_hostDocument) {
    m_hostDocument->QueryInterface(IPendrelDocumentTimeText::iid,
                                   Quor::ComPtrOut<IPendrelDocumentTimeText>::Bind(data));
  }
  // The analysis document is named after its data document when it has no name of its own.
  texts.name = NameOf(static_cast<ICustomDocument*>(m_document));
  if (texts.name.IsEmpty()) texts.name = NameOf(data.Get());
  AnalysisRegion region = m_settings->analysis.region;
  if (region.endOffset == kRegionNotSet && data) data->GetEndPosition(kDataEndPosition, &region.endOffset);
  BYTE mode = 0;
  if (data) data->GetTimeDisplayMode(&mode);
  const DWORD flags = mode == kTimeDisplayClock ? kPositionTextClock : kPositionTextWhole;
  texts.startText = PositionText(data.Get(), region.startOffset, region.startRecord, flags, mode);
  texts.endText = PositionText(data.Get(), region.endOffset, region.endRecord, flags, mode);
  return texts;
}

LONG ReportView::OnAnalysisChanged() {
  Rebuild();
  return 0;
}

void ReportView::OnSizeQuery(PendrelViewSize* size) { *size = kPreferredViewSize; }

LONG ReportView::CopyAsHtml() {
  CopyUnicodeText(m_page, GetHandle());
  CopyHtmlToClipboard(m_page.ToUtf8String());
  return 0;
}

LONG ReportView::OnPrintMsg() {
  if (IQuorBrowser* browser = m_browser.Browser()) browser->PrintPage();
  return 0;
}

}  // namespace Rhyth
