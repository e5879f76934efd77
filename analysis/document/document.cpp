// The analysis document: its faces, its members, how it is built and torn down, and the host
// entries that only route a call (persistent parts, closing, state changes, sampling).
#include "analysis/document/document.h"

#include "analysis/calc/classifier_limits_source.h"
#include "analysis/document/document_ids.h"
#include "analysis/module/analysis_results_object.h"
#include "analysis/module_strings.h"
#include "analysis/settings/change_flags.h"
#include "hostframework/document/tarn_message_box.h"
#include "platform/win32/message_box.h"

namespace Rhyth {

namespace {

// The update interval and the data interest the sink reports to the host.
constexpr DWORD kUpdateInterval = 200;
constexpr DWORD kDataInterest = 0x80000000;
constexpr DWORD kPartSettings = 0;
constexpr DWORD kPartData = 1;
// The question before sampling breaks the region: OK and Cancel, exclamation, task-modal.
constexpr UINT kDiscontinuousStyle = MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL;
constexpr DWORD kDiscontinuousHelp = 0x800B0004;
constexpr UINT kDiscontinuousText = 4;
constexpr UINT kCaption = 1;

}  // namespace

DWORD ViewTypeWord(DWORD n) {
  return (DWORD(GetTarnGuidId(GUID_RhythViewObj)) << 16) | n;
}

Document::Document(IUnknown* hostDocument, IUnknown* classObject, IUnknown*)
    : PendrelChildDocument(classObject, hostDocument, DocumentTypeId::Id(), 0),
      m_settings(new Settings),
      m_data(new Data(m_settings.Get())),
      m_detector(hostDocument) {
  // Channel calculations on the same host document size their output to these limits.
  AnnounceClassifierLimits(hostDocument, this, [this] { return GetSettings().classifier; });
}

Document::~Document() {
  m_viewState->Retire();
  WithdrawClassifierLimits(this);
  m_calcChannels.clear();
  // The members go in reverse order: the engine, the detector's map and its host document,
  // then the data and the settings. The computed channels stay in the host's document:
  // deleting them is closing's business.
}

HRESULT Document::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid || iid == IRhythDocument::iid) {
    *object = static_cast<IRhythDocument*>(this);
  } else if (iid == IOnlineDataSink::iid) {
    *object = static_cast<IOnlineDataSink*>(this);
  } else if (iid == IRhythAnalysisResults::iid) {
    // A snapshot of its own, not a face of the document: it is made with its reference.
    *object = NewAnalysisResults(*this);
    return *object ? S_OK : E_OUTOFMEMORY;
  } else {
    return PendrelChildDocument::QueryInterface(iid, object);
  }
  AddRef();
  return S_OK;
}

ULONG Document::AddRef() { return PendrelChildDocument::AddRef(); }

ULONG Document::Release() { return PendrelChildDocument::Release(); }

HRESULT Document::GetPersistObject(DWORD part, DWORD kind, DWORD, IUnknown** object,
                                   IUnknown** extra) {
  if (extra) *extra = nullptr;
  if (!object) return E_POINTER;
  *object = nullptr;
  if (kind != kPersistStreamKind) return S_FALSE;
  IPersistStreamInit* persist = nullptr;
  if (part == kPartSettings) persist = m_settings.Get();
  if (part == kPartData) persist = m_data.Get();
  if (!persist) return S_FALSE;
  persist->AddRef();
  *object = persist;
  return S_OK;
}

HRESULT Document::Close() {
  RemoveOnlineSubscription();
  // What the file keeps (the region, the user's beat edits) stays as it is, so that a save
  // after closing still has them: closing lets go of what lives in the host only.
  const bool analysed = RegionIsSet() && !IsHostBusy();
  if (analysed) SendChangingNotice(kNoticeCleared);
  m_detector.ResetChannels(kChangeEverything, m_settings.Get());
  m_detector.DeleteChannels();
  ResetEngine();
  if (analysed) SendChangedNotice(kNoticeCleared);
  return PendrelChildDocument::Close();
}

HRESULT Document::OnStateChange(DWORD) {
  m_detector.RegisterChannels(ModuleString(kCaption));
  return S_OK;
}

void Document::ResetEngine() { m_engine.Reset(); }

// ---- Sampling ------------------------------------------------------------------------------

HRESULT Document::OnSamplingStarting(DWORD, VARIANT_BOOL* proceed) {
  if (!proceed) return E_POINTER;
  *proceed = VARIANT_TRUE;
  if (!m_settings->analysis.onlineMode || RegionReachesDataEnd()) return S_OK;
  // Without a host application nobody can answer: the analysis stays and sampling waits.
  const int answer = TarnMessageBox(ModuleString(kDiscontinuousText), ModuleString(kCaption),
                                    kDiscontinuousStyle, kDiscontinuousHelp);
  if (answer != IDOK) {
    *proceed = VARIANT_FALSE;
    return S_FALSE;
  }
  ClearAnalysis(kChangeFiducialStage | kChangeEngine, false);
  ResetRegion(*m_settings.Get());
  return S_OK;
}

HRESULT Document::OnRecordStart(LONG) {
  if (!m_settings->analysis.onlineMode) return S_OK;
  const std::optional<AnalysisRegion> region = RegionFromHost(*m_settings.Get(), 0);
  if (!region || *region == m_settings->analysis.region) return S_OK;
  m_settings->analysis.region = *region;
  m_settings->dirty = 1;
  OnSettingsEdited();
  Reanalyse(0xFF000000, kNoticeRecordStart);
  return S_OK;
}

HRESULT Document::OnDataAdded(LONG, LONG, LONG, VARIANT_BOOL more) {
  m_moreData = more ? VARIANT_TRUE : VARIANT_FALSE;
  if (!more || !m_settings->analysis.onlineMode) return S_OK;
  return m_engine.StartOnline();
}

HRESULT Document::OnRecordEnd(LONG) {
  if (!MoreDataPending() || !m_settings->analysis.onlineMode) return S_OK;
  SendChangingNotice(kNoticeDataStep);
  const HRESULT step = m_engine.UpdateOnline();
  // A step that admitted no beat (S_FALSE) still ends the change it began.
  if (SUCCEEDED(step)) SendChangedNotice(kNoticeDataStep);
  return step;
}

HRESULT Document::OnSamplingStopped(DWORD, DWORD) {
  // The engine leaves its online state whenever it is in it, also after a last block that
  // said no more data would follow: left online it would refuse every later analysis.
  const bool pending = MoreDataPending() && m_settings->analysis.onlineMode;
  if (!pending && !m_engine.IsOnline()) {
    CloseOpenRegionEnd();
    return S_OK;
  }
  return EndOnlinePass();
}

HRESULT Document::EndOnlinePass() {
  SendChangingNotice(kNoticeSamplingStop);
  const HRESULT step = m_engine.StopOnline();
  CloseOpenRegionEnd();
  if (SUCCEEDED(step)) SendChangedNotice(kNoticeSamplingStop);
  return step;
}

void Document::CloseOpenRegionEnd() {
  // The open end stands for data still to come; once sampling stops, the region ends where the
  // data does, so that a later analysis reads just the records that exist.
  if (m_settings->analysis.region.endRecord != kRegionOpenEndRecord) return;
  if (SetRegionFromHost(*m_settings.Get(), 2)) OnSettingsEdited();
}

HRESULT Document::OnDataChanged(DWORD) {
  if (!m_settings->analysis.onlineMode) return S_OK;
  SendChangingNotice(kNoticeDataChange);
  const std::optional<AnalysisRegion> region = RegionFromHost(*m_settings.Get(), 2);
  if (region && *region != m_settings->analysis.region) {
    m_settings->analysis.region = *region;
    m_settings->dirty = 1;
    OnSettingsEdited();
    if (m_detector.UpdateChannels(kChangeFiducialStage, m_settings.Get())) {
      m_detector.ResetChannels(kChangeFiducialStage, m_settings.Get());
    }
    m_engine.AnalyseRange(kChangePrrx, DataSource(), *m_settings.Get(),
                          m_detector.GetFiducialChannel());
  }
  SendChangedNotice(kNoticeDataChange);
  return S_OK;
}

HRESULT Document::GetUpdateInterval(DWORD* interval) {
  if (!interval) return E_POINTER;
  *interval = kUpdateInterval;
  return S_OK;
}

HRESULT Document::GetDataInterest(DWORD* interest) {
  if (!interest) return E_POINTER;
  *interest = kDataInterest;
  return S_OK;
}

bool Document::UpdateOnlineSubscription() {
  Quor::ComPtr<IPendrelOnlineDataSource> source;
  if (DataDocument()) {
    DataDocument()->QueryInterface(IPendrelOnlineDataSource::iid,
                                   Quor::ComPtrOut<IPendrelOnlineDataSource>::Bind(source));
  }
  if (!source) return false;
  source->RemoveSink(this);
  if (!m_settings->analysis.onlineMode) return true;
  return SUCCEEDED(source->AddSink(this));
}

void Document::RemoveOnlineSubscription() {
  Quor::ComPtr<IPendrelOnlineDataSource> source;
  if (DataDocument()) {
    DataDocument()->QueryInterface(IPendrelOnlineDataSource::iid,
                                   Quor::ComPtrOut<IPendrelOnlineDataSource>::Bind(source));
  }
  if (source) source->RemoveSink(this);
}

}  // namespace Rhyth
