#include "views/dialogs/rhyth_preview_pane.h"

#include <memory>
#include <mutex>

#include "analysis/settings/change_flags.h"
#include "tracedisplay/drawers/custom_units_trace_drawer.h"
#include "tracedisplay/drawers/event_drawer.h"
#include "tracedisplay/drawers/graticule_drawer.h"
#include "tracedisplay/drawers/visible_extremes.h"
#include "views/options/plot_option_source.h"

namespace Rhyth {

namespace {

// The stages of the detection chain; the engine's bits do not concern the preview.
constexpr DWORD kChainStages = 0xFF000000;
// Lane kinds: the source trace is the first trace, the normalised one the second, which the
// preview's trace control can hide.
constexpr LONG kSourceLane = 1;
constexpr LONG kNormalisedLane = 2;
// The range the normalised trace shows, in standard deviations, when the data in view gives
// none.
constexpr double kNormalisedRange[2] = {-2.0, 12.0};
// The address bit with which extremes are asked for in the units shown.
constexpr DWORD kExtremesAddress = 0x2000;
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
  ExtLib::ComputePreviewCompression(m_hostData.Get(), m_hostData.Get(), &start, &end, &compression);
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
  if (ExtLib::GetChannelValueRange(m_hostData.Get(), kFirstRecord, m_source.channelIndex, &minimum,
                                   &maximum) &&
      minimum < maximum) {
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
  // A stage whose formula the host takes anew is computed again with every stage that reads
  // it, the beats among them: unchanged values leave the chain, and its beats, as they are.
  const DWORD stages = ChangedStages(settings);
  if (stages && m_detector.UpdateChannels(stages, &settings)) {
    m_built.Attach(settings.Clone());
  }
  if (wasSampling) pane.AttachSource();
  RebuildDrawers();
}

void RhythPreviewPane::RebuildDrawers() {
  // The host's online notices reach the drawers from its own thread under the pane lock.
  std::lock_guard lock(Pane().PaneLock());
  PendrelDraw::PreviewDataWinWButtons& window = *Window();
  EnsureScales();
  window.ClearDrawers();
  for (const LONG lane : {kSourceLane, kNormalisedLane}) RegisterTrace(lane, nullptr);
  AddGrid();
  AddSourceTrace();
  AddBeatMarks();
  AddNormalisedTrace();
  Pane().FlushPendingUpdates();
  // The traces take the scales of their axes; the normalised one shows what is in view.
  double normalised[2] = {kNormalisedRange[0], kNormalisedRange[1]};
  const PendrelChannelRef channel = m_detector.GetNormalisedChannel();
  if (!channel.IsNone()) VisibleRange(LONG(channel.index), normalised);
  SetAxisRange(true, normalised[0], normalised[1]);
  Pane().MarkAllForRedraw();
}

void RhythPreviewPane::RegisterTrace(LONG laneKind, IPendrelRecordDrawer* trace) {
  PendrelDraw::PreviewDataPane& pane = Pane();
  if (pane.GetLaneCount() < 1) return;
  pane.SetPaneDrawerSource(0, laneKind, pane.ChannelPaneAt(0)->Adjuster(laneKind), trace);
}

void RhythPreviewPane::AddGrid() {
  const DWORD options = PreferenceFlag() ? 0 : PendrelDraw::kGraticuleNoGrid;
  auto grid = Made(new PendrelDraw::GraticuleDrawer(0, options, PreferenceColour(), 0,
                                                    LONG(m_source.channelIndex), 0));
  Window()->AddDrawer(grid.Get());
}

void RhythPreviewPane::AddTrace(LONG laneKind, COLORREF colour, LONG channel,
                                std::shared_ptr<const PendrelDraw::UnitMapper> units) {
  PendrelDraw::TraceDrawerInit init;
  init.laneKind = laneKind;
  init.colour = &colour;
  init.channelIndex = channel;
  auto trace = Made(new PendrelDraw::CustomUnitsPolyLineTraceDrawer(init, std::move(units)));
  RegisterTrace(laneKind, trace.Get());
  Window()->AddDrawer(trace.Get());
}

void RhythPreviewPane::AddSourceTrace() {
  const COLORREF colour = HostChannelColour(m_hostData.Get(), m_source.channelIndex,
                                            m_source.channelWord, kPreviewSourceColour);
  const LONG channel = LONG(m_source.channelIndex);
  AddTrace(kSourceLane, colour, channel, std::make_shared<SourceUnitMapper>(channel));
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
  const LONG channel = LONG(normalised.index);
  AddTrace(kNormalisedLane, kPreviewNormalisedColour, channel,
           std::make_shared<PPUNMapper>(channel));
}

void RhythPreviewPane::EnsureScales() {
  PendrelDraw::PreviewDataPane& pane = Pane();
  if (pane.GetLaneCount() < 1) return;
  PendrelDraw::ChannelPane& band = *pane.ChannelPaneAt(0);
  if (band.Adjuster(1)) return;
  band.CreateScales(LONG(m_source.channelIndex), 0);
  band.AttachScales();
}

bool RhythPreviewPane::VisibleRange(LONG channel, double* range) const {
  PendrelDraw::PreviewDataPane& pane = Pane();
  LONGLONG first = 0, end = 0;
  pane.VisiblePixels(&first, &end);
  return PendrelDraw::VisibleExtremes(pane.DataView(), first, end,
                                      kSourceChannelWord | kExtremesAddress, channel, range);
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
