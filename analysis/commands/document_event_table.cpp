// The analysis document's event table: which host command, command state, message and
// notification reaches which member. One static table, its ids fetched from the host once.
#include "analysis/document/document.h"
#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "platform/pendrel/host_events.h"

namespace Rhyth {

namespace {

template <DWORD N>
const DWORD* Cmd() {
  return CommandId<N>::IdPointer();
}
template <DWORD N>
const DWORD* DataEvent() {
  return TypeIdClass<&GUID_TarnViewFramework, N>::IdPointer();
}
template <DWORD N>
const DWORD* ManagerEvent() {
  return TypeIdClass<&GUID_TarnChildDocument, N>::IdPointer();
}

using D = Document;

}  // namespace

TARN_DEFINE_EVENT_TABLE(
    Document, PendrelChildDocument,
    EvCommand<&D::OnSettingsCommand>(Cmd<1>), EvCommandState<&D::SettingsState>(Cmd<1>),
    EvCommand<&D::OnClassifierView>(Cmd<2>), EvCommandState<&D::AlwaysEnabled>(Cmd<2>),
    EvCommand<&D::OnReportView>(Cmd<3>), EvCommandState<&D::AlwaysEnabled>(Cmd<3>),
    EvCommandNotify<&D::OnFillPlotsPopup>(Cmd<4>),
    EvCommandNotify<&D::OnPlotsPopupCommand>(Cmd<4>),
    EvCommand<&D::OnTachogramView>(Cmd<5>), EvCommand<&D::OnRRHistogramView>(Cmd<6>),
    EvCommand<&D::OnDeltaRRHistogramView>(Cmd<7>), EvCommand<&D::OnPoincareView>(Cmd<8>),
    EvCommand<&D::OnSpectrumView>(Cmd<9>),
    EvCommand<&D::OnAddMarker>(Cmd<10>), EvCommandState<&D::AddMarkerState>(Cmd<10>),
    EvCommand<&D::OnRemoveMarker>(Cmd<11>), EvCommandState<&D::RemoveMarkerState>(Cmd<11>),
    EvCommand<&D::OnShowMarkers>(Cmd<12>), EvCommandState<&D::ShowMarkersState>(Cmd<12>),
    EvCommand<&D::OnAllBeatsNormal>(Cmd<13>), EvCommandState<&D::AllBeatsNormalState>(Cmd<13>),
    EvCommand<&D::OnNoCommand>(Cmd<14>), EvCommandState<&D::NeverEnabled>(Cmd<14>),
    EvCommand<&D::OnOnlineMode>(Cmd<15>), EvCommandState<&D::OnlineModeState>(Cmd<15>),
    EvCommand<&D::OnReselect>(Cmd<16>), EvCommandState<&D::RegionCommandState>(Cmd<16>),
    EvCommand<&D::OnClearCommand>(Cmd<17>), EvCommandState<&D::RegionCommandState>(Cmd<17>),
    EvCommand<&D::OnAnalyzeCommand>(Cmd<18>), EvCommandState<&D::AnalyzeState>(Cmd<18>),
    EvMessage<&D::OnToggleEventMarkersMsg>(&ToggleEventMarkersMsg::IdPointer),
    EvMessage<&D::OnToggleOnlineModeMsg>(&ToggleOnlineModeMsg::IdPointer),
    EvMessage<&D::OnReselectAnalyzedRegionMsg>(&ReselectAnalyzedRegionMsg::IdPointer),
    EvMessage<&D::OnClearAnalysisMsg>(&ClearAnalysisMsg::IdPointer),
    EvMessage<&D::OnAnalyzeMsg>(&AnalyzeMsg::IdPointer),
    EvNotice<&D::OnManagerReport>(ManagerEvent<kManagerEventReportRegion>),
    EvNotice<&D::OnManagerClear>(ManagerEvent<kManagerEventClear>),
    EvNotice<&D::OnManagerAnalyse>(ManagerEvent<kManagerEventAnalyse>),
    EvNotice<&D::OnDocumentAttached>(TarnConstantId<kHostEventDocumentAttached>),
    EvNotice<&D::OnDocumentDetached>(TarnConstantId<kHostEventDocumentDetached>),
    EvNotice<&D::OnDataChangedNotice>(DataEvent<kDataEventChanged>),
    EvNotice<&D::OnRangeChanged>(DataEvent<kDataEventRangeChanged>),
    EvNotice<&D::OnRangeChanged>(DataEvent<kDataEventRangeDeleted>),
    EvNotice<&D::OnChannelChangedNotice>(DataEvent<kDataEventChannelChanged>),
    EvNotice<&D::OnChannelChangedNotice>(DataEvent<kDataEventChannelDeleted>),
    EvNotice<&D::OnCalculationChanged>(DataEvent<kDataEventCalculationChanged>))

}  // namespace Rhyth
