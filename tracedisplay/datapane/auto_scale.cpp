// Auto-scaling of the channel panes to the data in view: after scrolls and layout changes every
// channel pane's axis units are brought up to date for the visible records, and its first
// drawer takes the extremes of its channel over them.
#include "core/com_ptr.h"
#include "platform/pendrel/trace_ranges.h"
#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/drawers/visible_extremes.h"
#include "tracedisplay/panes/unit_prefix.h"

namespace PendrelDraw {

namespace {

// The record a channel pane is told when no data is visible, or when it may not auto-scale.
constexpr LONG kNoVisibleRecord = 0x7FFFFFFE;
constexpr DWORD kNoAutoScaleWhileSampling = 0x40000000;
// The address bit with which the pane asks for a channel's extremes.
constexpr DWORD kExtremesAddress = 0x2000;

}  // namespace

void DataPane::AutoScaleVisible() {
  LONGLONG first = 0, end = 0;
  VisiblePixels(&first, &end);
  LONG record = kNoVisibleRecord;
  const auto range = ShownRecordRange(m_dataView, first, end, &record);
  if (!range) {
    for (ChannelPane* pane : m_channelPanes) pane->UpdateAxisUnits(kNoVisibleRecord);
    return;
  }
  const bool sampling = m_online && (m_styleFlags & kNoAutoScaleWhileSampling);
  for (LONG i = 0; i < GetLaneCount(); ++i) {
    ChannelPane& pane = *m_channelPanes[std::size_t(i)];
    // A pane that keeps the range it was given is told that no data is visible.
    const LONG shown = sampling || !pane.autoScale[0] ? kNoVisibleRecord : record;
    pane.UpdateAxisUnits(shown);
    UpdatePaneAutoScale(range.Get(), shown, i);
  }
}

bool DataPane::UpdatePaneAutoScale(IUnknown* data, LONG record, LONG paneIndex) {
  ChannelPane* pane = ChannelPaneAt(paneIndex);
  const auto range = Quor::QueryFace<IPendrelTraceRecordRange>(data);
  if (!pane || !range) return false;
  if (record == kNoVisibleRecord) return true;
  LONG channel[2] = {};
  GetPaneChannel(paneIndex, channel);
  double scaled[2] = {};
  const HRESULT found =
      ScaledExtremes(range.Get(), DWORD(channel[1]) | kExtremesAddress, record, channel[0], scaled);
  if (FAILED(found)) return false;
  // No values, or only one: nothing to scale to.
  if (found != S_OK) return true;
  if (PrefixScales(pane->unit[0].index)) {
    scaled[0] *= pane->unit[0].factor;
    scaled[1] *= pane->unit[0].factor;
  }
  const DrawerSources& sources = m_drawerSources[std::size_t(paneIndex)];
  if (!sources.kind[0]) return true;
  if (sources.drawer[0]) pane->ScaleDrawer(*sources.drawer[0], 1, scaled, sources.kind[0]);
  if (pane->pendingRange & 1) {
    if (const auto adjuster = Quor::QueryFace<IPendrelAxisAdjuster>(sources.kind[0])) {
      adjuster->SetRange(scaled);
    }
    pane->pendingRange &= ~DWORD(1);
  }
  return true;
}

}  // namespace PendrelDraw
