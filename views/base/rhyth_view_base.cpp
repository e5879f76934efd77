#include "views/base/rhyth_view_base.h"

#include "analysis/document/document_ids.h"
#include "analysis/module_strings.h"
#include "platform/pendrel/host_events.h"

namespace Rhyth {

namespace {

constexpr UINT kCopyTextId = 193;
constexpr UINT kPrintTextId = 194;

// The view's browser command: (the view GUID's id << 16) | 0.
const DWORD* BrowserCommandId() {
  static const DWORD id = ViewTypeWord(0);
  return &id;
}

using ViewRefreshNotice = TypeIdClass<&GUID_TarnViewFramework, 8>;

// The save-image message, whose parameter block is a path in UTF-16 ending in a NUL (the text
// stops at the block's end when the NUL is missing).
TarnEventTableEntry SaveImageEntry() {
  constexpr TarnEventInvoker invoke = [](void* object, const TarnEventCall& call) -> LONG {
    DWORD bytes = 0;
    const void* block = call.message ? call.message->GetData(&bytes) : nullptr;
    if (!block) return 1;
    const auto* units = static_cast<const char16_t*>(block);
    std::size_t length = 0;
    while (length < bytes / sizeof(char16_t) && units[length] != u'\0') ++length;
    return static_cast<RhythViewBase*>(object)->OnSaveImageMsg(
        Quor::String(std::u16string(units, length).c_str()));
  };
  return {kTarnEventMessage, 0, 0xFFFF, 0, 0, &TarnConstantId<kHostSaveImageMsgId>, nullptr, invoke};
}

}  // namespace

TARN_DEFINE_EVENT_TABLE(RhythViewBase, TarnEventHandlerBase,
    SizeQueryEntry<RhythViewBase>(),
    EvCommand<&RhythViewBase::OnBrowserCommand>(&BrowserCommandId),
    EvCommandState<&RhythViewBase::EnableAlways>(&BrowserCommandId),
    EvMessage<&RhythViewBase::OnCopyMsg>(&TarnConstantId<kHostCopyMsgId>),
    EvMessage<&RhythViewBase::OnPrintMsg>(&TarnConstantId<kHostPrintMsgId>),
    SaveImageEntry(),
    EvMessage<&RhythViewBase::OnAcknowledgeMsg>(&TarnConstantId<kHostViewAcknowledgeMsgId>),
    EvNotice<&RhythViewBase::OnAnalysisChanging>(&AnalysisChangingMsg::IdPointer),
    EvNotice<&RhythViewBase::OnAnalysisChanged>(&AnalysisChangedMsg::IdPointer),
    EvNotice<&RhythViewBase::OnViewRefreshNotice>(&ViewRefreshNotice::IdPointer))

RhythViewBase::RhythViewBase(HWND parent, IUnknown* document, OWL::TModule* module)
    : OWL::TWindow(static_cast<OWL::TWindow*>(nullptr), nullptr, module),
      m_document(DocumentBehind(document)),
      m_throttle([this] { SendDueMarkup(); }) {
  SetParentHandle(parent);
  if (m_document) {
    m_settings = &m_document->GetSettings();
    // The plot binds its persist task to the document's site, which keeps the plot's
    // state messages with the data document and hands them back when the plot opens again.
    m_hostDocument = m_document->GetHostDocument();
  }
  m_plot = MakeViewPlot(m_hostDocument);
  Attr.Style |= WS_CLIPCHILDREN;
}

RhythViewBase::~RhythViewBase() {
  StopObserving();
  // The plot window goes first: it closes the browser while the view still exists.
  m_plot.reset();
}

void RhythViewBase::CleanupWindow() { StopObserving(); }

void RhythViewBase::Observe(ISubject* subject) { m_observed.Observe(*this, subject); }

void RhythViewBase::StopObserving() { m_observed.StopObserving(*this); }

LRESULT RhythViewBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = OWL::TWindow::WindowProc(message, wParam, lParam);
  if (message == WM_SIZE && m_plot) m_plot->SetBounds(GetClientRect());
  return result;
}

void RhythViewBase::SetUpPlot(const Quor::String& plotId) {
  if (m_plot) m_plot->CreateControl(GetHandle());
  if (m_document) Observe(m_document->NoticeSubject().Get());
  if (!m_plot) return;
  if (Quor::EtchProxyBase* proxy = m_plot->Proxy()) Observe(proxy->GetSubject());
  m_plot->CreatePersistTask(plotId);
}

void RhythViewBase::FirstRefresh() {
  const bool busy = m_document && m_document->IsHostBusy();
  RefreshForCode(busy ? 0 : 6);
}

void RhythViewBase::GetUpdateFlags(DWORD code, DWORD& flags) {
  const NoticeUpdate update = UpdateForNoticeCode(code);
  flags |= update.flags;
  if (update.throttle == ThrottleChange::kRestart) m_throttle.Restart();
  if (update.throttle == ThrottleChange::kStop) m_throttle.Stop();
}

void RhythViewBase::RefreshForCode(DWORD code) {
  if (!IsUpToDate()) {
    DWORD flags = 0;
    GetUpdateFlags(code, flags);
    UpdatePlotData(flags);
  }
  SetUpToDate();
}

LONG RhythViewBase::OnAnalysisChanging() {
  m_upToDate = 0;
  return 1;
}

LONG RhythViewBase::OnAnalysisChanged(DWORD code) {
  RefreshForCode(code);
  return 0;
}

bool RhythViewBase::SendMarkupThrottled(const Quor::String& markup) {
  if (!m_throttle.Admit(GetMarkupInterval())) return false;
  m_throttle.MarkSent();
  return m_plot && m_plot->SetMarkup(markup);
}

void RhythViewBase::SendDueMarkup() {
  Quor::String markup;
  if (!BuildMarkup(markup)) return;
  m_throttle.MarkSent();
  if (m_plot) m_plot->SetMarkup(markup);
}

void RhythViewBase::OnSizeQuery(PendrelViewSize* size) { *size = kPreferredViewSize; }

void RhythViewBase::OnBrowserCommand() {
  if (m_plot) m_plot->BrowserCommand();
}

LONG RhythViewBase::OnCopyMsg() {
  if (m_plot) {
    if (IUnknown* task = m_plot->Copy()) task->Release();
  }
  return 0;
}

LONG RhythViewBase::OnPrintMsg() {
  if (m_plot) {
    if (IUnknown* job = m_plot->Print(GetTitle())) job->Release();
  }
  return 0;
}

LONG RhythViewBase::OnSaveImageMsg(const Quor::String& path) {
  if (m_plot && path.Length() > 0) m_plot->SaveImage(path);
  return 0;
}

Quor::String RhythViewBase::CopyCommandText() {
  Quor::String text = ModuleString(kCopyTextId);
  text += GetTitle();
  return text;
}

Quor::String RhythViewBase::PrintCommandText() {
  Quor::String text = ModuleString(kPrintTextId);
  text += GetTitle();
  return text;
}

}  // namespace Rhyth
