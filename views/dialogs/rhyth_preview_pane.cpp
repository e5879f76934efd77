#include "views/dialogs/rhyth_preview_pane.h"

#include <memory>

#include "analysis/settings/change_flags.h"
#include "tracedisplay/drawers/custom_units_trace_drawer.h"
#include "tracedisplay/drawers/event_drawer.h"
#include "tracedisplay/drawers/graticule_drawer.h"
#include "views/options/plot_option_source.h"

namespace Rhyth {

namespace {

// The stages of the detection chain; the engine's bits do not concern the preview.
constexpr DWORD kChainStages = 0xFF000000;
// Lane kinds: the source trace is the first trace, the normalised one the second, which the
// preview's trace control can hide.
constexpr LONG kSourceLane = 1;
constexpr LONG kNormalisedLane = 2;
// The range the normalised trace shows, in standard deviations: its resting level near 0 and
// the peaks of ordinary beats well inside.
constexpr double kNormalisedRange[2] = {-2.0, 12.0};
// The record whose description and value range the preview asks for first.
constexpr LONG kFirstRecord = 0;

template <class Drawer>
Quor::ComPtr<Drawer> Made(Drawer* drawer) {
  return Quor::ComPtr<Drawer>(drawer);
}

}  // namespace

RhythPreviewPane::RhythPreviewPane(OWL::TWindow* dialog, DetectorBase& detector,
                                   const SourceParams& source, IUnknown* hostData)
    : PreviewPaneBase(hostData, hostData, dialog),
      m_dialog(dialog),
      m_detector(detector),
      m_source(source),
      m_hostData(hostData) {}

RhythPreviewPane::~RhythPreviewPane() {
  // The drawers hold the host's channels through the data view; they go before the detector
  // takes the channels away.
  if (Window()) Window()->ClearDrawers();
}

void RhythPreviewPane::Attach() {
  PendrelDraw::PreviewDataWinWButtons& window = *Window();
  if (!window.GetHandle() && m_dialog && m_dialog->GetHandle()) window.Create();
  PendrelPosition start = {0x7FFFFFFF, 0x7FFFFFFF};
  PendrelPosition end = {0x7FFFFFFF, 0x7FFFFFFF};
  double compression = 1.0;
  ExtLib::ComputePreviewCompression(m_hostData.Get(), m_hostData.Get(), &start, &end,
                                    &compression);
  SetTimeScale(start.offset, start.record, compression);
  if (m_dialog && m_dialog->GetHandle()) PlaceInDialog(m_dialog->GetHandle());
  EnsureScales();
}

void RhythPreviewPane::UpdatePreview() {
  ExtLib::ChannelDataText text;
  if (ExtLib::GetChannelDataText(m_hostData.Get(), kFirstRecord, m_source.channelIndex, &text)) {
    m_sourceText = text;
  }
  Refresh(m_sourceText.prefix);
  double minimum = 0.0, maximum = 0.0;
  if (ExtLib::GetChannelValueRange(m_hostData.Get(), kFirstRecord, m_source.channelIndex,
                                   &minimum, &maximum) &&
      minimum < maximum) {
    m_sourceRange[0] = minimum;
    m_sourceRange[1] = maximum;
    SetAxisRange(false, minimum, maximum);
  }
  RebuildDrawers();
}

DWORD RhythPreviewPane::ChangedStages(const Settings& settings) const {
  if (!m_built || m_detector.GetFiducialChannel().IsNone()) return kChainStages;
  return settings.Compare(m_built.Get()) & kChainStages;
}

void RhythPreviewPane::RefreshWithSettings(const Settings& settings) {
  PendrelDraw::PreviewDataPane& pane = Pane();
  // The chain changes under the data the device adds: the device rests while it is rebuilt and
  // goes on into the same scratch document afterwards.
  IPendrelSamplingDevice* device = pane.SamplingController();
  VARIANT_BOOL active = VARIANT_FALSE;
  const bool wasSampling = device && SUCCEEDED(device->IsSampling(0, &active)) && active;
  if (wasSampling) {
    device->Stop(0);
    pane.UpdateScrollBar();
  }
  const DWORD stages = ChangedStages(settings);
  if (stages && m_detector.UpdateChannels(stages, &settings)) {
    m_built.Attach(settings.Clone());
  }
  if (wasSampling) pane.AttachSource();
  RebuildDrawers();
}

void RhythPreviewPane::RebuildDrawers() {
  PendrelDraw::PreviewDataWinWButtons& window = *Window();
  window.ClearDrawers();
  AddGrid();
  AddSourceTrace();
  AddBeatMarks();
  AddNormalisedTrace();
  Pane().FlushPendingUpdates();
  ScaleTrace(kSourceLane, m_sourceRange);
  ScaleTrace(kNormalisedLane, kNormalisedRange);
  Pane().MarkAllForRedraw();
}

void RhythPreviewPane::AddGrid() {
  const DWORD options = PreferenceFlag() ? 0 : PendrelDraw::kGraticuleNoGrid;
  auto grid = Made(new PendrelDraw::GraticuleDrawer(0, options, PreferenceColour(), 0,
                                                    LONG(m_source.channelIndex), 0));
  Window()->AddDrawer(grid.Get());
}

void RhythPreviewPane::AddSourceTrace() {
  const COLORREF colour = HostChannelColour(m_hostData.Get(), m_source.channelIndex,
                                            m_source.channelWord, kPreviewSourceColour);
  PendrelDraw::TraceDrawerInit init;
  init.laneKind = kSourceLane;
  init.colour = &colour;
  init.channelIndex = LONG(m_source.channelIndex);
  auto trace = Made(new PendrelDraw::CustomUnitsPolyLineTraceDrawer(
      init, std::make_shared<SourceUnitMapper>(LONG(m_source.channelIndex))));
  Window()->AddDrawer(trace.Get());
}

void RhythPreviewPane::AddBeatMarks() {
  const PendrelChannelRef beats = m_detector.GetFiducialChannel();
  if (beats.IsNone()) return;
  auto marks = Made(new PendrelDraw::EventDrawer(0, LONG(beats.index), 0));
  Window()->AddDrawer(marks.Get());
}

void RhythPreviewPane::AddNormalisedTrace() {
  const PendrelChannelRef normalised = m_detector.GetNormalisedChannel();
  if (normalised.IsNone()) return;
  PendrelDraw::TraceDrawerInit init;
  init.laneKind = kNormalisedLane;
  init.colour = &kPreviewNormalisedColour;
  init.channelIndex = LONG(normalised.index);
  auto trace = Made(new PendrelDraw::CustomUnitsPolyLineTraceDrawer(
      init, std::make_shared<PPUNMapper>(LONG(normalised.index))));
  Window()->AddDrawer(trace.Get());
}

void RhythPreviewPane::EnsureScales() {
  PendrelDraw::PreviewDataPane& pane = Pane();
  if (pane.GetLaneCount() < 1) return;
  PendrelDraw::ChannelPane& band = *pane.ChannelPaneAt(0);
  if (band.Adjuster(1)) return;
  band.CreateScales(LONG(m_source.channelIndex), 0);
  band.AttachScales();
}

double RhythPreviewPane::LaneHeight() const {
  PendrelDraw::PreviewDataPane& pane = Pane();
  if (pane.GetLaneCount() < 1) return 0.0;
  const RECT& lane = pane.ChannelPaneAt(0)->rect;
  return double(lane.bottom - lane.top);
}

void RhythPreviewPane::ScaleTrace(LONG laneKind, const double* range) {
  // Row = (value + offset) x gain: the range's top on the lane's first row, its bottom on the
  // last.
  const double height = LaneHeight();
  if (!(height > 0.0) || !(range[1] > range[0])) return;
  const double scale[2] = {-(height - 1.0) / (range[1] - range[0]), -range[1]};
  for (const PendrelDraw::TraceDrawerItem& item : Window()->Drawers()) {
    item.drawer->SetTimeRange(laneKind, 0, scale, nullptr);
  }
}

void RhythPreviewPane::PaintInto(HDC dc) {
  PendrelDraw::PreviewDataPane& pane = Pane();
  const SIZE size = Size();
  std::lock_guard lock(pane.PaneLock());
  pane.FlushPendingUpdates();
  pane.MarkAllForRedraw();
  pane.Paint(dc, {0, 0, size.cx, size.cy}, 0);
}

SIZE RhythPreviewPane::Size() const {
  const RECT& rect = Pane().GetPaneRect();
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace Rhyth
