// RhythPreviewPane: the live preview of beat detection in the advanced settings dialog. Over the
// host's data it shows, in its first lane, the grid, the source channel, the beats that the
// dialog's preview detector finds as event marks, and the detector's normalised trace in
// standard deviations. A change of the detection values rebuilds the detector's chain of host
// channels (only the stages a changed value shapes) and the drawers.
//
// The dialog makes the pane in its constructor and builds the chain through RefreshWithSettings
// (so that the pane knows which values the chain stands for), calls Attach and UpdatePreview
// from SetupWindow, and RefreshWithSettings again with a copy of the values being edited whenever
// they are valid. The dialog owns the pane and the detector, and destroys the pane before the
// detector deletes its channels.
#pragma once

#include "analysis/detection/detector.h"
#include "analysis/settings/settings.h"
#include "core/com_ptr.h"
#include "hostframework/extlib/host_queries.h"
#include "tracedisplay/drawers/unit_mapper.h"
#include "tracedisplay/preview/preview_data_win.h"
#include "tracedisplay/preview/preview_pane_base.h"

namespace Rhyth {

// The colour of the source trace when the host gives none.
inline constexpr COLORREF kPreviewSourceColour = RGB(255, 0, 128);
inline constexpr COLORREF kPreviewNormalisedColour = RGB(0, 0, 0);

class RhythPreviewPane final : public ExtLib::PreviewPaneBase {
 public:
  // `hostData` (may be null) is the host's data document, or a data source over it; the preview
  // window is made as a child of `dialog`.
  RhythPreviewPane(OWL::TWindow* dialog, DetectorBase& detector, const SourceParams& source,
                   IUnknown* hostData);
  ~RhythPreviewPane() override;

  // Puts the preview over the dialog's placeholder at the stretch and compression the host
  // shows first. Called once the dialog's window exists.
  void Attach();
  // Takes the source channel's texts, prefix and value range from the host, then rebuilds the
  // drawers.
  void UpdatePreview() override;
  // Builds the stages of the detection chain that `settings` (a copy the dialog made of the
  // values being edited) changes, and shows what the chain finds; unchanged values rebuild only
  // the drawers. A device that samples into the preview rests for the rebuild and goes on into
  // the same scratch document after it.
  void RefreshWithSettings(const Settings& settings);

  // Paints the whole preview into `dc` at its origin, as its window shows it.
  void PaintInto(HDC dc);
  SIZE Size() const;

  PendrelDraw::PreviewDataWinWButtons& PreviewWindow() const { return *Window(); }
  PendrelDraw::PreviewDataPane& DataPane() const { return Pane(); }
  const std::vector<PendrelDraw::TraceDrawerItem>& Drawers() const { return Window()->Drawers(); }
  // The source channel's name, unit and prefix as the host last told them.
  const ExtLib::ChannelDataText& SourceText() const { return m_sourceText; }

 private:
  void RebuildDrawers();
  void AddGrid();
  // A trace of `channel` in its lane, its values read in the mapper's units.
  void AddTrace(LONG laneKind, COLORREF colour, LONG channel,
                std::shared_ptr<const PendrelDraw::UnitMapper> units);
  void AddSourceTrace();
  void AddBeatMarks();
  void AddNormalisedTrace();
  // The stages of the chain that `settings` changes against the values it was last built from
  // (every stage the first time).
  DWORD ChangedStages(const Settings& settings) const;
  // The first channel pane's scales, made once.
  void EnsureScales();
  // Makes a trace (or none) the first channel pane's drawer of its lane kind, with the axis of
  // that kind as its source: the base's unit prefix and the auto-scaling find it there.
  void RegisterTrace(LONG laneKind, IPendrelRecordDrawer* trace);
  // The extremes of a channel over the data in view, in the units shown; false when the view
  // shows none of it.
  bool VisibleRange(LONG channel, double* range) const;

  OWL::TWindow* m_dialog;
  DetectorBase& m_detector;
  SourceParams m_source;
  Quor::ComPtr<IUnknown> m_hostData;
  Quor::ComPtr<Settings> m_built;
  ExtLib::ChannelDataText m_sourceText;
};

}  // namespace Rhyth
