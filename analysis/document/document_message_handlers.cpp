// What the analysis document does with its five messages (sent by its menu commands or created
// by the host's automation) and with the host's notifications. Every handler leaves the
// analysis alone while the host is busy, and reports every message as handled.
#include "analysis/document/document.h"
#include "analysis/document/document_ids.h"
#include "analysis/module_strings.h"
#include "analysis/settings/change_flags.h"
#include "hostframework/document/tarn_message_box.h"
#include "hostframework/extlib/arithmetic_channel_manager.h"
#include "platform/win32/message_box.h"

namespace Rhyth {

namespace {

constexpr LONG kHandled = 0;
constexpr UINT kCaption = 1;
constexpr UINT kNewRegionText = 88;
// The vertical range the source channel is shown with when its analysed data is reselected.
constexpr double kReselectLow = -32000.0;
constexpr double kReselectHigh = 32000.0;

IUnknown* PointerOf(DWORD low, DWORD high) {
  return reinterpret_cast<IUnknown*>((std::uintptr_t(high) << 32) | low);
}

}  // namespace

// ---- Messages --------------------------------------------------------------------------------

LONG Document::OnAnalyzeMsg() {
  if (IsHostBusy()) return kHandled;
  const std::optional<AnalysisRegion> region = RegionFromHost(*m_settings.Get(), 4);
  if (!region) {
    ReportNoSelection();
    return kHandled;
  }
  // The same region again keeps the user's beat edits and the beat numbers; a new one discards
  // them, so the user is asked first when there are edits to lose.
  bool cleared = false;
  if (RegionIsSet() && *region != m_settings->analysis.region) {
    if (!ConfirmNewRegion()) return kHandled;
    if (IsHostBusy()) return kHandled;
    ClearBeforeNewRegion();
    cleared = true;
  }
  if (SetRegionFromHost(*m_settings.Get(), 4)) OnSettingsEdited();
  const bool analysed = !IsHostBusy() && Reanalyse(kChangeEverything, kNoticeAnalysis);
  // A clearing that no analysis follows is a change of its own: its observers see it end.
  if (cleared && !analysed) SendChangedNotice(kNoticeCleared);
  return kHandled;
}

bool Document::ConfirmNewRegion() {
  if (m_data->UserEvents()->IsEmpty(nullptr) == S_OK) return true;
  return TarnMessageBox(ModuleString(kNewRegionText), ModuleString(kCaption),
                        MB_OKCANCEL | MB_ICONQUESTION, 0) == IDOK;
}

LONG Document::OnClearAnalysisMsg() {
  if (!IsHostBusy()) ClearAnalysis(kChangeEverything, true);
  return kHandled;
}

LONG Document::OnReselectAnalyzedRegionMsg() {
  if (IsHostBusy() || !RegionIsSet() || !Selection()) return kHandled;
  const AnalysisRegion& region = m_settings->analysis.region;
  Selection()->BeginChange();
  Selection()->SelectRange({region.startOffset, region.startRecord},
                           {region.endOffset, region.endRecord});
  Selection()->SelectChannel(m_settings->source.channelIndex, m_settings->source.channelWord,
                             kReselectLow, kReselectHigh);
  return kHandled;
}

LONG Document::OnToggleOnlineModeMsg() {
  if (IsHostBusy()) return kHandled;
  m_settings->analysis.onlineMode = m_settings->analysis.onlineMode ? 0 : 1;
  m_settings->dirty = 1;
  UpdateOnlineSubscription();
  OnSettingsEdited();
  // Switched off while sampling, the document hears of no stop: the pass ends here.
  if (!m_settings->analysis.onlineMode && m_engine.IsOnline()) EndOnlinePass();
  return kHandled;
}

LONG Document::OnToggleEventMarkersMsg() {
  if (IsHostBusy()) return kHandled;
  m_settings->source.markersShown = m_settings->source.markersShown ? 0 : 1;
  m_settings->dirty = 1;
  OnSettingsEdited();
  ShowFiducialMarks();
  return kHandled;
}

// ---- Host notifications ----------------------------------------------------------------------

void Document::OnDocumentAttached(DWORD aLow, DWORD aHigh, DWORD bLow, DWORD bHigh) {
  // The host tells every module document; this one answers only for its own data document.
  if (PointerOf(aLow, aHigh) != Host() || PointerOf(bLow, bHigh) != Host()) return;
  RegisterWithManager();
  UpdateOnlineSubscription();
  RebuildCalcChannelMap();
  Reanalyse(kChangeEverything, kNoticeAnalysis);
  ValidateRegion();
}

void Document::OnRangeChanged(DWORD startOffset, DWORD startRecord, DWORD endOffset,
                              DWORD endRecord) {
  if (RegionOverlaps(LONG(startOffset), LONG(startRecord), LONG(endOffset), LONG(endRecord))) {
    ClearAnalysis(kChangeEverything, true);
  }
}

void Document::OnChannelChangedNotice(DWORD channel) {
  if (channel == m_settings->source.channelIndex) ClearAnalysis(kChangeEverything, true);
}

void Document::OnCalculationChanged(DWORD channel, DWORD, DWORD calcLow, DWORD calcHigh) {
  if (channel == m_settings->source.channelIndex && RegionIsSet()) {
    ValidateRegion();
    if (RegionIsSet() && !IsHostBusy()) Reanalyse(kChangeEverything, kNoticeAnalysis);
  }
  OnCalcChannelChanged(channel, PointerOf(calcLow, calcHigh));
}

}  // namespace Rhyth
