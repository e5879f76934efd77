// The analysis document: the host creates one per data document through the document class
// and releases it when the data document closes. It owns everything the analysis keeps per
// recording: the settings and the user's beat edits (its two persistent parts), the beat
// detector with its computed channels, the analysis engine with every result, and the map of
// the channels its channel calculation computes. Every entry is a call of the host, on the
// host's thread; the document takes no lock.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "analysis/data/analysis_data.h"
#include "analysis/detection/detector.h"
#include "analysis/document/analysis_client.h"
#include "analysis/document/view_data_state.h"
#include "analysis/engine/analysis_engine.h"
#include "analysis/settings/settings.h"
#include "hostframework/document/command_holder.h"
#include "hostframework/document/pendrel_child_document.h"
#include "platform/pendrel/online_data.h"

namespace Rhyth {

// The document's identity: the views and the export ask the host's document for it to find the
// analysis document behind it.
struct IRhythDocument : IUnknown {
  PLATFORM_INTERFACE_ID("0e5c7a94-3b28-4f61-9d0a-8c2e6f4b1d73");
  using Base = IUnknown;

 protected:
  ~IRhythDocument() = default;
};

class Document final : public IRhythDocument,
                       public IOnlineDataSink,
                       public PendrelChildDocument,
                       public AnalysisManager::AnalysisClientBase<Document> {
  TARN_DECLARE_EVENT_TABLE();

 public:
  Document(IUnknown* hostDocument, IUnknown* classObject, IUnknown* argument);

  // Puts the analysis menu and its commands into the host's menus (the document class does
  // this when the host initialises it).
  static void RegisterCommands(TarnCommandHolder& holder);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // IOnlineDataSink
  HRESULT OnSamplingStarting(DWORD flags, VARIANT_BOOL* proceed) override;
  HRESULT OnRecordStart(LONG record) override;
  HRESULT OnDataAdded(LONG record, LONG start, LONG count, VARIANT_BOOL more) override;
  HRESULT OnRecordEnd(LONG record) override;
  HRESULT OnSamplingStopped(DWORD reason, DWORD reserved) override;
  HRESULT OnDataChanged(DWORD reserved) override;
  HRESULT OnChannelChanged(DWORD) override { return S_OK; }
  HRESULT Reserved10() override { return E_NOTIMPL; }
  HRESULT Reserved11() override { return E_NOTIMPL; }
  HRESULT Notify12() override { return S_OK; }
  HRESULT GetUpdateInterval(DWORD* interval) override;
  HRESULT GetDataInterest(DWORD* interest) override;

  // ICustomDocument2: part 0 (the settings) and part 1 (the data) of kind 2; closing; state.
  HRESULT GetPersistObject(DWORD part, DWORD kind, DWORD reserved, IUnknown** object,
                           IUnknown** extra) override;
  HRESULT Close() override;
  HRESULT OnStateChange(DWORD state) override;

  // ---- Runs (one analysis, clearing, the region) ----------------------------------------
  // One analysis run with the change flags; false when nothing was done (a region-dependent
  // flag without a region). `code` 0 prepares the engine for sampling.
  bool Reanalyse(DWORD flags, DWORD code);
  // False when there is no region or the host is busy.
  bool ClearAnalysis(DWORD flags, bool sendEnd);
  // Takes the region from the host (mode 4: the selection or the whole data; 0: the record
  // being sampled to the open end; 2: the stored start to the end of the data) into
  // `settings`; true when it changed. A selection-only mode 4 without a selection changes
  // nothing.
  bool SetRegionFromHost(Settings& settings, DWORD mode);
  // The region mode would take; nothing for a selection-only mode 4 without a selection.
  std::optional<AnalysisRegion> RegionFromHost(const Settings& settings, DWORD mode);
  static void ResetRegion(Settings& settings);
  bool RegionIsSet() const { return m_settings->analysis.region.IsSet(); }
  bool RegionReachesDataEnd();
  bool RegionOverlaps(LONG startOffset, LONG startRecord, LONG endOffset, LONG endRecord) const;
  // Clears the analysis when the data behind the region went or the source lost its data.
  void ValidateRegion();

  bool EnsureChildData();
  void RemoveChildData();
  void ClearUserEvents(bool announce);
  void OnSettingsEdited();
  void OnDataEdited();
  void SendChangingNotice(DWORD code);
  void SendChangedNotice(DWORD code);

  // ---- Online subscription ----------------------------------------------------------------
  bool UpdateOnlineSubscription();
  void RemoveOnlineSubscription();
  // Ends the engine's online pass inside the sampling-stopped notices and closes the region's
  // open end; the engine's result.
  HRESULT EndOnlinePass();
  // Ends an open region at the end of the host's data.
  void CloseOpenRegionEnd();

  // ---- Message handlers (0: handled) --------------------------------------------------------
  LONG OnAnalyzeMsg();
  LONG OnClearAnalysisMsg();
  LONG OnReselectAnalyzedRegionMsg();
  LONG OnToggleOnlineModeMsg();
  LONG OnToggleEventMarkersMsg();

  // ---- Host notifications -----------------------------------------------------------------
  void OnDocumentAttached(DWORD aLow, DWORD aHigh, DWORD bLow, DWORD bHigh);
  void OnDocumentDetached() {}
  void OnDataChangedNotice() { ValidateRegion(); }
  void OnRangeChanged(DWORD startOffset, DWORD startRecord, DWORD endOffset, DWORD endRecord);
  void OnChannelChangedNotice(DWORD channel);
  void OnCalculationChanged(DWORD channel, DWORD kind, DWORD calcLow, DWORD calcHigh);
  void OnManagerReport() { ReportRegionToManager(); }
  void OnManagerClear() { ClearForManager(); }
  void OnManagerAnalyse() { AnalyseForManager(); }

  // ---- Commands and their states ------------------------------------------------------------
  void OnSettingsCommand();
  void OnClassifierView();
  void OnReportView();
  void OnTachogramView();
  void OnRRHistogramView();
  void OnDeltaRRHistogramView();
  void OnPoincareView();
  void OnSpectrumView();
  LONG OnFillPlotsPopup(DWORD menu);
  LONG OnPlotsPopupCommand(DWORD item, DWORD);
  void OnAddMarker();
  void OnRemoveMarker();
  void OnShowMarkers();
  void OnAllBeatsNormal();
  void OnNoCommand() {}
  void OnOnlineMode();
  void OnReselect();
  void OnClearCommand();
  void OnAnalyzeCommand();
  void SettingsState(TarnCommandState& state);
  void AlwaysEnabled(TarnCommandState& state);
  void AddMarkerState(TarnCommandState& state);
  void RemoveMarkerState(TarnCommandState& state);
  void ShowMarkersState(TarnCommandState& state);
  void AllBeatsNormalState(TarnCommandState& state);
  void NeverEnabled(TarnCommandState& state);
  void OnlineModeState(TarnCommandState& state);
  void RegionCommandState(TarnCommandState& state);
  void AnalyzeState(TarnCommandState& state);

  // The selection tests of the marker commands.
  bool CanAddMarker();
  bool CanRemoveMarker();

  // ---- Beat markers (0 when the host is busy; true when the fiducial channel was refreshed) --
  bool AddMarker();
  bool RemoveMarker();
  bool SetAllBeatsNormal();

  // ---- Classifier limits on the channels the module's channel calculation computes ---------
  void RebuildCalcChannelMap();
  void RefreshCalcChannelLimits();
  // Shows or hides the limits of one channel by what its calculation shows.
  void UpdateCalcChannelLimits(DWORD channel, IUnknown* calculation);
  // A channel's calculation changed (null: it has none any more): the map follows.
  void OnCalcChannelChanged(DWORD channel, IUnknown* calculation);
  void ShowChannelLimits(DWORD channel, const Quor::String& unit, double lower, double upper);
  void HideChannelLimits(DWORD channel);
  const std::set<DWORD>& CalcChannels() const { return m_calcChannels; }

  Settings& GetSettings() { return *m_settings.Get(); }
  const Settings& GetSettings() const { return *m_settings.Get(); }
  Data& GetData() { return *m_data.Get(); }
  RhythDetector& Detector() { return m_detector; }
  AnalysisEngine& Engine() { return m_engine; }
  IPersist* SettingsPersist() { return m_settings.Get(); }
  IPersist* DataPersist() { return m_data.Get(); }
  // Shared with the enumerators over the engine's series, which a plot may call late.
  const ViewDataStatePtr& ViewState() const { return m_viewState; }
  bool MoreDataPending() const { return m_moreData != VARIANT_FALSE; }

 private:
  ~Document() override;

  // Opens view number n through the host.
  void OpenView(DWORD n);
  // Sends one of the document's messages through the host, which routes it back.
  void SendDocumentMessage(DWORD id);
  // The engine forgets every result and leaves sampling.
  void ResetEngine();
  // Shows the channels' beat marks on the source channel, or hides them.
  void ShowFiducialMarks();
  // Shows a text on the host's status line.
  static void ShowStatusText(const Quor::String& text);
  // Tells the user once that a run could not find or read the beats.
  void ReportRunFailure(UINT textId);
  // Tells the user that analysis runs over the selection and nothing is selected.
  void ReportNoSelection();
  // The clearing that comes before an analysis of a new region, without its end notice.
  void ClearBeforeNewRegion();
  // Asks before a new region discards the user's edits; true to go on.
  bool ConfirmNewRegion();
  // Refreshes the fiducial channel after an edit of the beats or their limits; true when the
  // detector changed it.
  bool RecalculateBeats();
  void AnalyseEditedBeats();
  // The host selection's start and end; nothing when nothing is selected.
  std::optional<std::pair<PendrelPosition, PendrelPosition>> SelectedRange();
  // The channel's calculation when it is the module's channel calculation; else null.
  Quor::ComPtr<IUnknown> CalculationOf(DWORD channel);
  void SendLimitValue(DWORD channel, DWORD line, double value, const Quor::String& unit);
  void SendLimitLine(DWORD channel, DWORD line, bool shown);
  void SendBand(DWORD channel, bool shown);

  Quor::ComPtr<Settings> m_settings;
  Quor::ComPtr<Data> m_data;
  RhythDetector m_detector;
  AnalysisEngine m_engine;
  std::set<DWORD> m_calcChannels;
  ViewDataStatePtr m_viewState = std::make_shared<ViewDataState>();
  VARIANT_BOOL m_moreData = VARIANT_TRUE;
};

}  // namespace Rhyth
