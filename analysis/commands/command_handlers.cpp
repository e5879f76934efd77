// The analysis menu's commands and the rules by which each is enabled. The five automatable
// commands only send their document message, which the host routes back to the document's
// message handlers, so that a menu click and an automation call take one path.
#include <cmath>

#include "analysis/document/document.h"
#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/module_strings.h"
#include "hostframework/menu_service.h"
#include "platform/pendrel/host_events.h"

namespace Rhyth {

namespace {

constexpr UINT kAnalyzeChannelText = 83;
constexpr UINT kAnalyzeSelectionText = 84;
constexpr DWORD kFirstPlot = 5;
constexpr DWORD kLastPlot = 9;
// The texts of the plot items 5 to 9.
constexpr UINT kPlotTexts[] = {45, 48, 51, 54, 57};
constexpr DWORD kPlotViews[] = {kTachogramView, kRRHistogramView, kDeltaRRHistogramView,
                                kPoincareView, kSpectrumView};

}  // namespace

void Document::OpenView(DWORD n) {
  const DWORD data[2] = {kTarnValueKindWord, ViewTypeWord(n)};
  SendToHost(kTarnMessageOpenView, data, sizeof data);
}

void Document::SendDocumentMessage(DWORD id) { SendToHost(id); }

void Document::OnClassifierView() { OpenView(kClassifierView); }
void Document::OnReportView() { OpenView(kReportView); }
void Document::OnTachogramView() { OpenView(kTachogramView); }
void Document::OnRRHistogramView() { OpenView(kRRHistogramView); }
void Document::OnDeltaRRHistogramView() { OpenView(kDeltaRRHistogramView); }
void Document::OnPoincareView() { OpenView(kPoincareView); }
void Document::OnSpectrumView() { OpenView(kSpectrumView); }

LONG Document::OnFillPlotsPopup(DWORD menu) {
  Quor::ComPtr<ITarnPopupMenu> popup = TarnMenuService::PopupMenu(menu);
  if (!popup) return E_FAIL;
  DWORD count = 0;
  popup->GetItemCount(&count);
  while (count > 0) popup->RemoveItem(--count);
  for (DWORD i = 0; i <= kLastPlot - kFirstPlot; ++i) {
    IQuorString* text = ModuleString(kPlotTexts[i]).GetInterface();
    popup->AppendItem(kFirstPlot + i, text);
    text->Release();
  }
  return S_OK;
}

LONG Document::OnPlotsPopupCommand(DWORD item, DWORD) {
  if (item < kFirstPlot || item > kLastPlot) return E_FAIL;
  OpenView(kPlotViews[item - kFirstPlot]);
  return S_OK;
}

void Document::OnAddMarker() { AddMarker(); }
void Document::OnRemoveMarker() { RemoveMarker(); }
void Document::OnAllBeatsNormal() { SetAllBeatsNormal(); }

void Document::OnShowMarkers() { SendDocumentMessage(ToggleEventMarkersMsg::Id()); }
void Document::OnOnlineMode() { SendDocumentMessage(ToggleOnlineModeMsg::Id()); }
void Document::OnReselect() { SendDocumentMessage(ReselectAnalyzedRegionMsg::Id()); }
void Document::OnClearCommand() { SendDocumentMessage(ClearAnalysisMsg::Id()); }
void Document::OnAnalyzeCommand() { SendDocumentMessage(AnalyzeMsg::Id()); }

// ---- States ----------------------------------------------------------------------------------

void Document::SettingsState(TarnCommandState& state) { state.Enable(!IsHostBusy()); }

void Document::AlwaysEnabled(TarnCommandState& state) { state.Enable(true); }

void Document::NeverEnabled(TarnCommandState& state) { state.Enable(false); }

void Document::AddMarkerState(TarnCommandState& state) {
  state.Enable(!IsHostBusy() && RegionIsSet() && CanAddMarker());
}

void Document::RemoveMarkerState(TarnCommandState& state) {
  state.Enable(!IsHostBusy() && RegionIsSet() && CanRemoveMarker());
}

void Document::ShowMarkersState(TarnCommandState& state) {
  state.Enable(!IsHostBusy());
  state.SetCheck(m_settings->source.markersShown & 3);
}

void Document::AllBeatsNormalState(TarnCommandState& state) {
  const ClassifierRanges& ranges = m_engine.Ranges();
  const bool observed = !std::isnan(ranges.rrLow) && !std::isnan(ranges.rrHigh) &&
                        !std::isnan(ranges.ffLow) && !std::isnan(ranges.ffHigh);
  state.Enable(!IsHostBusy() && RegionIsSet() && observed);
}

void Document::OnlineModeState(TarnCommandState& state) {
  VARIANT_BOOL canSample = VARIANT_FALSE;
  if (SamplingController()) SamplingController()->CanSample(&canSample);
  state.Enable(canSample != VARIANT_FALSE);
  state.SetCheck(m_settings->analysis.onlineMode & 3);
}

void Document::RegionCommandState(TarnCommandState& state) {
  state.Enable(!IsHostBusy() && RegionIsSet());
}

void Document::AnalyzeState(TarnCommandState& state) {
  state.Enable(!IsHostBusy());
  state.SetText(ModuleString(m_settings->source.selectionOnly ? kAnalyzeSelectionText
                                                              : kAnalyzeChannelText));
}

// ---- Selection tests -------------------------------------------------------------------------

bool Document::CanRemoveMarker() {
  IPendrelSelection* selection = Selection();
  if (!selection) return false;
  DWORD kind = kSelectionOfData;
  VARIANT_BOOL range = VARIANT_FALSE;
  selection->GetKind(&kind);
  selection->IsRange(&range);
  return kind != kSelectionOfChannels && range != VARIANT_FALSE;
}

bool Document::CanAddMarker() {
  IPendrelSelection* selection = Selection();
  if (!selection) return false;
  DWORD kind = kSelectionOfData;
  VARIANT_BOOL point = VARIANT_FALSE;
  selection->GetKind(&kind);
  selection->IsPoint(&point);
  if (kind == kSelectionOfChannels) return false;
  if (point != VARIANT_FALSE) return true;
  LONGLONG start = 0, end = 0;
  return CanRemoveMarker() && selection->GetExtent(&start, &end) == S_OK && end == start + 1;
}

}  // namespace Rhyth
