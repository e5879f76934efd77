// The sampling states of a preview pane: stopped, sampling into a scratch document, paused.
#include <utility>

#include "core/storage/create_temp_storage.h"
#include "hostframework/document/tarn_message_box.h"
#include "platform/pendrel/document_provider.h"
#include "platform/win32/message_box.h"
#include "tracedisplay/preview/preview_data_pane.h"
#include "tracedisplay/windows/trace_display_resources.h"

namespace PendrelDraw {

namespace {

// A start that failed was already reported to the user.
constexpr HRESULT kStartFailureReported = HRESULT(0xA004820F);
constexpr UINT kCannotStartSamplingText = 314;
constexpr UINT kSamplingCaption = 315;

}  // namespace

void PreviewDataPane::SetSamplingState(LONG requested) {
  if (!m_controller) return;
  if (requested == kPreviewRepeat) requested = std::exchange(m_state, kPreviewRepeat);
  if (requested == m_state) return;
  if (requested == kPreviewStopped) {
    StopSampling();
  } else if (requested == kPreviewSampling) {
    StartSampling();
    return;
  } else if (requested == kPreviewPaused) {
    m_controller->Stop(0);
  }
  m_state = requested;
}

void PreviewDataPane::StopSampling() {
  m_controller->Stop(0);
  ReleaseSamplingDocument();
  DataPane::SetSource(0x80000000, TraceSourceOf(m_sourceDocument.Get()).Get(), &m_savedPosition);
}

void PreviewDataPane::StartSampling() {
  if (!m_samplingDocument) OpenSamplingDocument();
  Quor::String error;
  const HRESULT result = RequestStart(error);
  if (SUCCEEDED(result)) {
    m_state = kPreviewSampling;
    return;
  }
  ShowStartFailure(result, error);
  // A start that failed leaves nothing sampling: the preview shows its document again.
  StopSampling();
  m_state = kPreviewStopped;
}

void PreviewDataPane::OpenSamplingDocument() {
  const auto provider = Quor::QueryFace<IPendrelDocumentProvider>(m_sourceDocument.Get());
  if (!provider) return;
  provider->GetDocument(kProvideNewDocument, Quor::ComPtrOut<IUnknown>::Bind(m_samplingDocument));
  if (!m_samplingDocument) return;
  const auto storageTaker = Quor::QueryFace<IPendrelDocumentStorage>(m_samplingDocument.Get());
  Quor::String fileName;
  Quor::ComPtr<IStorage> storage;
  const HRESULT created = CreateTempStorage(fileName, Quor::ComPtrOut<IStorage>::Bind(storage));
  if (storageTaker && storage && SUCCEEDED(created)) storageTaker->SetStorage(0, storage.Get());
  m_controller->AttachTarget(0, SamplingTargetOf(m_samplingDocument.Get()).Get());
  m_savedPosition = GetScrollPosition();
  DataPane::SetSource(0x80000000, TraceSourceOf(m_samplingDocument.Get()).Get(), nullptr);
}

void PreviewDataPane::ShowStartFailure(HRESULT result, const Quor::String& error) {
  if (result == kStartFailureReported) return;
  const Quor::String text =
      error.IsEmpty() ? Quor::String(TraceDisplayString(kCannotStartSamplingText)) : error;
  TarnMessageBox(text, Quor::String(TraceDisplayString(kSamplingCaption)),
                 MB_TASKMODAL | MB_ICONERROR, 0);
}

}  // namespace PendrelDraw
