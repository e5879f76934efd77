// Auto-scaling of the channel panes to the data in view: after scrolls and layout changes every
// channel pane's axis units are brought up to date for the visible records, and its first
// drawer takes the extremes of its channel over them.
#include "core/com_ptr.h"
#include "platform/pendrel/trace_ranges.h"
#include "tracedisplay/datapane/data_pane.h"
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
  Quor::ComPtr<IPendrelTraceRecordRange> range;
  LONG record = kNoVisibleRecord, tick = 0;
  if (const auto ranges = Quor::QueryFace<IPendrelTraceRangeSource>(m_dataView)) {
    if (ranges->GetRecordRange(first, end, Quor::ComPtrOut<IPendrelTraceRecordRange>::Bind(range)) != S_OK) {
      range.Clear();
    }
  }
  if (!range || m_dataView->PixelToPosition(first, &record, &tick) != S_OK) {
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
  PendrelValueExtremes extremes = {32000.0, -32000.0, 1.0, 0.0};
  if (FAILED(range->GetExtremes(DWORD(channel[1]) | kExtremesAddress, record, channel[0], &extremes))) {
    return false;
  }
  // A range without values leaves its start answer inverted: nothing to scale to.
  if (extremes.minimum > extremes.maximum) return true;
  double scaled[2] = {(extremes.minimum + extremes.offset) * extremes.scale,
                      (extremes.maximum + extremes.offset) * extremes.scale};
  // A flat trace gives no range to scale to.
  if (scaled[0] == scaled[1]) return true;
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
