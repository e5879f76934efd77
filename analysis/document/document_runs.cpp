// The analysis document's runs: one analysis, clearing, the region taken from the host, the
// child data kept with the host's file, the announcements of changed parts, and the notices
// that bracket every change.
#include <algorithm>

#include "analysis/data/event_id_cache.h"
#include "analysis/document/document.h"
#include "analysis/document/document_ids.h"
#include "analysis/module_strings.h"
#include "analysis/settings/change_flags.h"
#include "core/format_stream.h"
#include "hostframework/document/tarn_message_box.h"
#include "hostframework/extlib/arithmetic_channel_manager.h"
#include "hostframework/extlib/host_calls.h"
#include "hostframework/host_services.h"
#include "platform/pendrel/arithmetic_channels.h"
#include "platform/pendrel/child_data.h"
#include "platform/win32/message_box.h"

namespace Rhyth {

namespace {

// Every detection stage, and the engine's work that needs the region.
constexpr DWORD kDetectionStages = 0xFF000000;
constexpr DWORD kNeedsRegion = kChangeFiducialStage | kChangeEngine;
constexpr DWORD kAllChannelsWord = 0x80000000;
constexpr UINT kCaption = 1;
constexpr UINT kNoSelectionText = 1001;
constexpr UINT kDetectorFailedText = 1002;
constexpr UINT kBeatsUnreadableText = 1003;
constexpr UINT kFailureStatusText = 1005;

bool HasChildData(IPendrelChildDataContainer* container, DWORD type) {
  Quor::ComPtr<IPendrelDataChildData> found;
  // The out-adaptor fills `found` at the end of the statement that made it.
  const HRESULT hr =
      container->GetChildData(type, Quor::ComPtrOut<IPendrelDataChildData>::Bind(found));
  return hr == S_OK && found;
}

}  // namespace

void Document::ShowStatusText(const Quor::String& text) {
  if (ITarnHostApp* application = GetTarnHostApp()) {
    IQuorString* status = text.GetInterface();
    application->SetStatusText(status);
    status->Release();
  }
}

// ---- Notices -------------------------------------------------------------------------------

void Document::SendChangingNotice(DWORD code) {
  // From here until the changed notice the engine may rewrite the series the views show.
  m_viewState->BeginChange();
  SendFrameworkNotice(AnalysisChangingMsg::Id(), code);
}

void Document::SendChangedNotice(DWORD code) {
  m_viewState->EndChange();
  SendFrameworkNotice(AnalysisChangedMsg::Id(), code);
}

// ---- One analysis ----------------------------------------------------------------------------

bool Document::Reanalyse(DWORD flags, DWORD code) {
  if ((flags & kNeedsRegion) && !RegionIsSet()) return false;
  SendChangingNotice(code);
  EnsureChildData();
  const bool detected = m_detector.UpdateChannels(flags, m_settings.Get());
  ShowFiducialMarks();
  RefreshCalcChannelLimits();
  const PendrelChannelRef fiducial = m_detector.GetFiducialChannel();
  if (code != kNoticeRecordStart) {
    m_engine.AnalyseRange(flags, DataSource(), *m_settings.Get(), fiducial);
  } else {
    m_engine.PrepareOnline(DataSource(), m_settings.Get(), fiducial);
  }
  SendChangedNotice(code);
  // One message for the run, after its end notice: the views have what there is to show.
  if (!detected && (flags & kDetectionStages)) {
    ReportRunFailure(kDetectorFailedText);
  } else if (code != kNoticeRecordStart && (flags & ~kChangeEngine) && m_engine.ReadFailed()) {
    ReportRunFailure(kBeatsUnreadableText);
  }
  return true;
}

void Document::ShowFiducialMarks() {
  const PendrelChannelRef fiducial = m_detector.GetFiducialChannel();
  if (fiducial.IsNone()) return;
  ExtLib::SetMarkerLink(Host(), fiducial.index, m_settings->source.channelIndex,
                        m_settings->source.markersShown != 0);
}

void Document::ReportRunFailure(UINT textId) {
  const Quor::String text = ModuleString(textId);
  ShowStatusText(Quor::Format(ModuleString(kFailureStatusText), text));
  TarnMessageBox(text, ModuleString(kCaption), MB_OK | MB_ICONEXCLAMATION, 0);
}

void Document::ReportNoSelection() {
  const Quor::String text = ModuleString(kNoSelectionText);
  ShowStatusText(text);
  TarnMessageBox(text, ModuleString(kCaption), MB_OK | MB_ICONINFORMATION, 0);
}

// ---- Clearing --------------------------------------------------------------------------------

bool Document::ClearAnalysis(DWORD flags, bool sendEnd) {
  if (!RegionIsSet() || IsHostBusy()) return false;
  SendChangingNotice(kNoticeCleared);
  m_detector.ResetChannels(flags, m_settings.Get());
  if (flags & kDetectionStages) {
    ClearUserEvents(sendEnd);
    RemoveChildData();
  }
  if (flags == kChangeEverything) ResetRegion(*m_settings.Get());
  if (flags & kChangeEngine) ResetEngine();
  if (sendEnd) SendChangedNotice(kNoticeCleared);
  return true;
}

void Document::ClearBeforeNewRegion() {
  SendChangingNotice(kNoticeCleared);
  m_detector.ResetChannels(kChangeEverything, m_settings.Get());
  ClearUserEvents(false);
  RemoveChildData();
  ResetRegion(*m_settings.Get());
  ResetEngine();
}

// ---- The region ------------------------------------------------------------------------------

std::optional<AnalysisRegion> Document::RegionFromHost(const Settings& settings, DWORD mode) {
  AnalysisRegion region = settings.analysis.region;
  IPendrelDataSource* source = DataSource();
  LONG endOffset = kRegionNotSet, endRecord = kRegionNotSet;
  if (mode == 4 && settings.source.selectionOnly) {
    PendrelPosition start{}, end{};
    if (!Selection() || Selection()->GetRange(&start, &end) != S_OK) return std::nullopt;
    return AnalysisRegion{start.offset, start.record, end.offset, end.record};
  }
  if (mode == 0) {
    if (region.startRecord == kRegionNotSet) {
      LONG current = 0;
      if (source) source->GetCurrentRecord(&current);
      region.startOffset = 0;
      region.startRecord = current;
    }
    region.endOffset = kRegionNotSet;
    region.endRecord = kRegionOpenEndRecord;
    return region;
  }
  if (source) source->GetDataEnd(kAllChannelsWord, &endOffset, &endRecord);
  if (mode == 4) {
    region.startOffset = 0;
    region.startRecord = 0;
  }
  region.endOffset = endOffset;
  region.endRecord = endRecord;
  return region;
}

bool Document::SetRegionFromHost(Settings& settings, DWORD mode) {
  const std::optional<AnalysisRegion> region = RegionFromHost(settings, mode);
  if (!region || *region == settings.analysis.region) return false;
  settings.analysis.region = *region;
  settings.dirty = 1;
  return true;
}

void Document::ResetRegion(Settings& settings) {
  AnalysisRegion& region = settings.analysis.region;
  if (region.startRecord == kRegionNotSet && region.endRecord == kRegionNotSet) return;
  region.startRecord = region.endRecord = kRegionNotSet;
  settings.dirty = 1;
}

bool Document::RegionReachesDataEnd() {
  const AnalysisRegion& region = m_settings->analysis.region;
  if (!region.IsSet()) return true;
  LONG endOffset = 0, endRecord = 0;
  if (!DataSource() || DataSource()->GetDataEnd(kAllChannelsWord, &endOffset, &endRecord) != S_OK) {
    return true;
  }
  return region.endRecord > endRecord ||
         (region.endRecord == endRecord && region.endOffset >= endOffset);
}

bool Document::RegionOverlaps(LONG startOffset, LONG startRecord, LONG, LONG endRecord) const {
  const AnalysisRegion& region = m_settings->analysis.region;
  if (!region.IsSet()) return false;
  const bool beginsAfter = startRecord > region.endRecord ||
                           (startRecord == region.endRecord && startOffset > region.endOffset);
  const bool endsBefore = endRecord < region.startRecord;
  return !beginsAfter && !endsBefore;
}

void Document::ValidateRegion() {
  const AnalysisRegion& region = m_settings->analysis.region;
  if (!region.IsSet() || !DataSource()) return;
  bool valid = DataSource()->IsValidRange(region.startOffset, region.startRecord,
                                          region.endOffset, region.endRecord) == S_OK;
  Quor::ComPtr<IPendrelChannelData> channels;
  DataDocument()->QueryInterface(IPendrelChannelData::iid,
                                 Quor::ComPtrOut<IPendrelChannelData>::Bind(channels));
  LONG records = 0;
  if (valid && channels && SUCCEEDED(DataSource()->GetRecordCount(&records))) {
    const LONG last = std::min(region.endRecord, records - 1);
    for (LONG record = region.startRecord; valid && record <= last; ++record) {
      valid = channels->HasData(m_settings->source.channelWord, record,
                                m_settings->source.channelIndex) == S_OK;
    }
  }
  if (!valid) ClearAnalysis(kChangeEverything, true);
}

// ---- Child data ------------------------------------------------------------------------------

bool Document::EnsureChildData() {
  Quor::ComPtr<IPendrelChildDataContainer> container = ExtLib::Query<IPendrelChildDataContainer>(DataDocument());
  if (!container) return false;
  bool added = true;
  if (!HasChildData(container.Get(), UserEventDataTypeId::Id())) {
    added &= SUCCEEDED(container->SetChildData(UserEventDataTypeId::Id(), m_data->UserEvents()));
  }
  if (!HasChildData(container.Get(), EventIdCacheTypeId::Id())) {
    Quor::ComPtr<EventIdCache> cache(new EventIdCache);
    added &= SUCCEEDED(container->SetChildData(EventIdCacheTypeId::Id(), cache.Get()));
  }
  return added;
}

void Document::RemoveChildData() {
  Quor::ComPtr<IPendrelChildDataContainer> container = ExtLib::Query<IPendrelChildDataContainer>(DataDocument());
  if (!container) return;
  for (const DWORD type : {UserEventDataTypeId::Id(), EventIdCacheTypeId::Id()}) {
    if (HasChildData(container.Get(), type)) container->SetChildData(type, nullptr);
  }
}

void Document::ClearUserEvents(bool announce) {
  UserEventData* events = m_data->UserEvents();
  if (events->IsEmpty(nullptr) == S_OK) return;
  events->Clear();
  if (announce) OnDataEdited();
}

// ---- Announcements ---------------------------------------------------------------------------

namespace {

// Hands a part to the host's modification service the first time it changes.
void Announce(IUnknown* dataDocument, IPersist* part, DWORD index, BYTE& inUse,
              IUnknown* hostValue) {
  if (inUse) return;
  Quor::ComPtr<IPendrelModificationService> service;
  if (dataDocument) {
    dataDocument->QueryInterface(IPendrelModificationService::iid,
                                 Quor::ComPtrOut<IPendrelModificationService>::Bind(service));
  }
  if (service) {
    IQuorString* text = nullptr;
    service->AnnounceChange(part, hostValue, index, &text);
    if (text) text->Release();
  }
  inUse = 1;
}

}  // namespace

void Document::OnSettingsEdited() {
  TellManagerOfChange();
  Announce(DataDocument(), m_settings.Get(), 0, m_settings->inUse, GetHostValue());
  m_settings->dirty = 1;
}

void Document::OnDataEdited() {
  TellManagerOfChange();
  Announce(DataDocument(), m_data.Get(), 1, m_data->inUse, GetHostValue());
  m_data->dirty = 1;
}

}  // namespace Rhyth
