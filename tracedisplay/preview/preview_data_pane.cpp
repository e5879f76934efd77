#include "tracedisplay/preview/preview_data_pane.h"

#include <algorithm>
#include <utility>

#include "platform/pendrel/device_sampling.h"

namespace PendrelDraw {

Quor::ComPtr<IPendrelTraceDataSource> PreviewDataPane::TraceSourceOf(IUnknown* document) {
  return Quor::QueryFace<IPendrelTraceDataSource>(document);
}

Quor::ComPtr<IUnknown> PreviewDataPane::SamplingTargetOf(IUnknown* document) {
  Quor::ComPtr<IUnknown> target;
  if (document) {
    document->QueryInterface(IPendrelSamplingSink::iid, Quor::ComPtrOut<IUnknown>::Bind(target));
  }
  return target;
}

PreviewDataPane::PreviewDataPane(IUnknown* sourceDocument)
    : SimpleDataPane(TraceSourceOf(sourceDocument).Get()), m_sourceDocument(sourceDocument) {}

PreviewDataPane::~PreviewDataPane() {
  // The device must not go on filling a document that nobody shows, nor telling this pane.
  if (m_controller && m_state != kPreviewStopped) m_controller->Stop(0);
  ReleaseSamplingDocument();
}

std::unique_ptr<PreviewControl> PreviewDataPane::CreateSamplingControl(DWORD channelFlags) {
  return m_controlFactory ? m_controlFactory->CreateSamplingControl(*this, channelFlags) : nullptr;
}

std::unique_ptr<PreviewControl> PreviewDataPane::CreateTraceControl(DWORD mask) {
  return m_controlFactory ? m_controlFactory->CreateTraceControl(*this, mask) : nullptr;
}

void PreviewDataPane::AttachWindow(void* owner, HWND window) {
  m_samplingControl = CreateSamplingControl(ChannelFlags());
  if (m_samplingControl) m_samplingControl->Enable(bool(m_controller));
  if (m_traceControlMask & kWantsTraceControl) {
    m_traceControl = CreateTraceControl(m_traceControlMask);
  }
  DataPane::AttachWindow(owner, window);
}

void PreviewDataPane::DetachWindow() {
  if (m_controller) m_controller->Stop(0);
  DataPane::DetachWindow();
}

void PreviewDataPane::SetPaneRect(const RECT& rect) {
  if (!m_samplingControl) {
    DataPane::SetPaneRect(rect);
    return;
  }
  SIZE control = {};
  m_samplingControl->GetPreferredSize(&control);
  const LONG right = (ChannelFlags() & kSecondAxisFlag) ? control.cx + 5 : 0;
  m_raisedLeftWidth = 0;
  SetMinimumLabelWidths(0, right);
  DataPane::SetPaneRect(rect);
  // The trace control sits in the left label area: where that is narrower than the control,
  // the traces move right so that the two never overlap.
  if (!m_traceControl || LeftLabelWidth() >= control.cx) return;
  const LONG left = control.cx + 2;
  m_raisedLeftWidth = left;
  SetMinimumLabelWidths(left, right);
  const LONG zoomHeight = GetZoomControl() ? GetZoomControl()->PreferredHeight() : 0;
  const LONG width = (rect.right - rect.left) - std::max(RightLabelWidth(), right) - left;
  PlaceControls(rect.left + left, rect.top, std::max<LONG>(width, 0),
                (rect.bottom - rect.top) - zoomHeight, true);
}

void PreviewDataPane::SetPaneSize(SIZE size) {
  DataPane::SetPaneSize(size);
  if (!m_samplingControl) return;
  const RECT& paneRect = GetPaneRect();
  const LONG leftWidth = std::max(LeftLabelWidth(), m_raisedLeftWidth);
  const LONG x = paneRect.left + leftWidth;
  const LONG width = PaneWidth();
  const LONG rightWidth = RightLabelWidth();
  const LONG zoomHeight = GetZoomControl() ? GetZoomControl()->PreferredHeight() : 0;
  SIZE control = {};
  m_samplingControl->GetPreferredSize(&control);
  const LONG top = paneRect.bottom - zoomHeight + 1;
  LONG left = x - leftWidth + 2;
  if (rightWidth != 0) {
    left = x + width + rightWidth - control.cx;
  } else if (m_traceControl) {
    left = x + width + 5;
  }
  const RECT sampling = {left, top, left + control.cx, top + control.cy};
  m_samplingControl->SetRect(&sampling);
  if (m_traceControl) {
    const LONG traceLeft = x - leftWidth;
    const RECT trace = {traceLeft, top, traceLeft + control.cx, top + control.cy};
    m_traceControl->SetRect(&trace);
  }
}

void PreviewDataPane::RefreshViewControls() {
  if (ZoomControl* zoom = GetZoomControl()) zoom->Refresh();
  if (ScrollBar* bar = GetScrollBar()) bar->Refresh();
}

void PreviewDataPane::SetSource(DWORD flags, IUnknown* document, const LONGLONG* start) {
  m_sourceDocument = Quor::ComPtr<IUnknown>(document);
  DataPane::SetSource(flags, TraceSourceOf(document).Get(), start);
  ReleaseSamplingDocument();
}

void PreviewDataPane::ReleaseSamplingDocument() {
  if (m_samplingDocument && m_controller) {
    m_controller->DetachTarget(0, SamplingTargetOf(m_samplingDocument.Get()).Get());
  }
  m_samplingDocument.Clear();
}

void PreviewDataPane::AttachSamplingController(IPendrelSamplingDevice* controller) {
  if (!controller && m_state != kPreviewStopped) {
    if (m_samplingControl) {
      m_samplingControl->PressStop();
    } else {
      Stop();
    }
  }
  if (m_samplingDocument) {
    const Quor::ComPtr<IUnknown> target = SamplingTargetOf(m_samplingDocument.Get());
    if (m_controller) m_controller->DetachTarget(0, target.Get());
    if (controller) controller->AttachTarget(0, target.Get());
  }
  m_controller = Quor::ComPtr<IPendrelSamplingDevice>(controller);
  if (m_samplingControl) m_samplingControl->Enable(bool(m_controller));
}

HRESULT PreviewDataPane::AttachSource() {
  if (!m_samplingDocument || !m_controller) return E_FAIL;
  VARIANT_BOOL sampling = VARIANT_FALSE;
  if (SUCCEEDED(m_controller->IsSampling(0, &sampling)) && sampling) return S_FALSE;
  Quor::String error;
  return RequestStart(error);
}

HRESULT PreviewDataPane::RequestStart(Quor::String& error) {
  m_controller->SetUp(0, 0x80000000, 1);
  WORD confirm = 0;
  Quor::ComPtr<IQuorString> text;
  HRESULT result =
      m_controller->RequestStart(0, &confirm, Quor::ComPtrOut<IQuorString>::Bind(text));
  if (confirm) {
    result = m_controller->ConfirmStart(0, 0.0, Quor::ComPtrOut<IQuorString>::Bind(text));
  }
  if (text) error = Quor::String(text.Get());
  return result;
}

void PreviewDataPane::Stop() {
  SetSamplingState(kPreviewStopped);
  NotifyShownDocument();
}

void PreviewDataPane::Start() {
  SetSamplingState(kPreviewSampling);
  NotifyShownDocument();
}

void PreviewDataPane::Pause() {
  SetSamplingState(kPreviewPaused);
  NotifyShownDocument();
}

void PreviewDataPane::NotifyShownDocument() {
  // A start that failed shows the previewed document again, and says so.
  const bool scratch = bool(m_samplingDocument);
  const Quor::ComPtr<IUnknown> held(scratch ? m_samplingDocument : m_sourceDocument);
  const PreviewDocumentNotice notice = {scratch ? 1u : 0u, held.Get()};
  Notify(PreviewDocumentChanged::Id(), 0, &notice);
}

void PreviewDataPane::NotifyTraceCallback(DWORD value) {
  if (m_traceCallback) m_traceCallback(value & 0xFF);
}

void PreviewDataPane::SetTraceCallback(DWORD mask, TraceCallback callback) {
  m_traceCallback = std::move(callback);
  m_traceControlMask = mask;
}

}  // namespace PendrelDraw
