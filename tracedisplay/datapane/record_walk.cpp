// The record walk of a paint: the records of the host document that cover the invalid columns,
// one segment each, handed to the time scale and then to every channel pane with the flags of
// their record. Buffered bands draw into their layer images only where they are dirty.
#include <algorithm>
#include <memory>
#include <vector>

#include "core/com_ptr.h"
#include "platform/pendrel/trace_sampling.h"
#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/panes/dirty_spans.h"

namespace PendrelDraw {

namespace {

// Record draw flags.
constexpr DWORD kSegmentSampled = 0x80000000;
constexpr DWORD kSegmentSettled = 0x08000000;
constexpr DWORD kSegmentAlways = 0x02000000;
constexpr DWORD kSegmentBuffered = 0x04000000;
constexpr DWORD kSegmentNewRange = 0x00400000;

}  // namespace

std::vector<ChildPaneBase*> DataPane::Bands() const {
  std::vector<ChildPaneBase*> bands;
  bands.reserve(m_channelPanes.size() + 1);
  bands.push_back(m_timeScale);
  bands.insert(bands.end(), m_channelPanes.begin(), m_channelPanes.end());
  return bands;
}

LONG DataPane::SampledRecord() {
  LONG record = kRecordEndOffset;
  if (!m_online) return record;
  if (const auto sampling = Quor::QueryFace<IPendrelTraceSampling>(m_dataView)) {
    if (sampling->GetSampledRecord(&record) != S_OK) record = kRecordEndOffset;
  }
  return record;
}

DWORD DataPane::SegmentFlags(LONG record, LONG sampled) const {
  DWORD flags = (record == sampled ? kSegmentSampled : kSegmentSettled) | kSegmentAlways;
  if (AllowsBuffering()) flags |= kSegmentBuffered;
  return flags | m_extraDrawFlags;
}

void DataPane::DrawRecords(HDC dc, DWORD, const RECT& rect, LONG xFrom, LONG xTo) {
  if (IsRectEmpty(&rect)) return;
  // Columns left of the data start show no record: the walk starts at pixel 0.
  const LONGLONG first = std::max<LONGLONG>(PixelAtClientX(xFrom), 0);
  LONG record = kRecordEndOffset, tick = 0;
  if (m_channelPanes.empty() || !m_dataView ||
      m_dataView->PixelToPosition(first, &record, &tick) != S_OK) {
    PaintWithoutData(dc);
    return;
  }
  const LONG sampled = SampledRecord();
  std::vector<std::unique_ptr<DirtySpans>> dirt;
  for (ChildPaneBase* band : Bands()) {
    dirt.push_back(AllowsBuffering() ? std::make_unique<DirtySpans>(*band, ShownBackground()) : nullptr);
  }
  const LONGLONG reached = WalkRecords(dc, rect, first, PixelAtClientX(xTo), record, sampled, dirt);
  FinishBands(dc, {LONG(ClientXOf(first)), LONG(ClientXOf(reached))}, {xFrom, xTo}, sampled, dirt);
}

LONGLONG DataPane::WalkRecords(HDC dc, const RECT& clip, LONGLONG first, LONGLONG end, LONG record,
                               LONG sampled, const std::vector<std::unique_ptr<DirtySpans>>& dirt) {
  while (first < end) {
    PendrelTraceRecordInfo info{};
    info.record.startTime = -1.0;
    if (FAILED(m_dataView->GetRecordInformation(record, &info))) break;
    const LONGLONG segmentEnd = std::min(end, info.endPixel);
    if (first < segmentEnd) {
      const DrawSpan span = {first, segmentEnd, info.firstPixel - first, record,
                             LONG(ClientXOf(first)), clip, TimeGridOf(dc, info)};
      DrawSegment(dc, span, SegmentFlags(record, sampled), dirt);
    }
    first = std::max(first, segmentEnd);
    LONG next = kRecordEndOffset;
    if (first >= end || m_dataView->GetNextRecord(record, &next) != S_OK) break;
    record = next;
  }
  return first;
}

void DataPane::FinishBands(HDC dc, std::pair<LONG, LONG> drawn, std::pair<LONG, LONG> asked,
                           LONG sampled, const std::vector<std::unique_ptr<DirtySpans>>& dirt) {
  const std::vector<ChildPaneBase*> bands = Bands();
  for (std::size_t i = 0; i < bands.size(); ++i) {
    if (dirt[i]) {
      dirt[i]->Finish(drawn.first, drawn.second);
    } else {
      // Where no record lies, the band shows the background.
      FillBandColumns(dc, *bands[i], asked.first, drawn.first, ShownBackground());
      FillBandColumns(dc, *bands[i], std::max(drawn.first, drawn.second), asked.second,
                      ShownBackground());
    }
    for (int lane = 0; lane < kLayerCount; ++lane) bands[i]->LaneAt(lane).flags &= ~kLaneWholeRedraw;
    // A settled record's drawers need not keep their data cursors.
    if (sampled == kRecordEndOffset) {
      for (IPendrelRecordDrawer* drawer : bands[i]->Drawers()) drawer->ReleaseSource(0);
    }
  }
}

void DataPane::DrawSegment(HDC dc, const DrawSpan& span, DWORD flags,
                           const std::vector<std::unique_ptr<DirtySpans>>& dirt) {
  const LONG from = span.leftColumn;
  const LONG to = LONG(span.leftColumn + (span.end - span.first));
  const std::vector<ChildPaneBase*> bands = Bands();
  for (std::size_t i = 0; i < bands.size(); ++i) {
    ChildPaneBase& band = *bands[i];
    if (dirt[i]) {
      dirt[i]->Restore(from, to);
    } else if (!band.LayerAt(0).HasDrawers()) {
      // Nothing paints this band's background: the pane's shows.
      FillBandColumns(dc, band, from, to, ShownBackground());
    }
    band.DrawLayers(dc, span, 0xFF, flags);
  }
}

void DataPane::RedrawLane(LONG lane, bool keepRange, DWORD flags, HDC dc, LONG pane, bool reset) {
  std::lock_guard lock(m_lock);
  LONGLONG first = 0, end = 0;
  VisiblePixels(&first, &end);
  const bool buffered = AllowsBuffering();
  if (!dc && buffered) flags |= kSegmentBuffered;
  if (!keepRange) flags |= kSegmentNewRange;
  if (lane == 0) {
    if (!dc || !buffered) return;
    if (pane == -1) {
      DrawSweepLine(dc);
    } else if (ChannelPane* channelPane = ChannelPaneAt(pane)) {
      channelPane->Paint(dc, SweepColumn(), SweepEmphasised());
    }
    return;
  }
  LONG record = kRecordEndOffset, tick = 0;
  if (!m_dataView || m_dataView->PixelToPosition(first, &record, &tick) != S_OK) return;
  PendrelTraceRecordInfo info{};
  info.record.startTime = -1.0;
  if (FAILED(m_dataView->GetRecordInformation(record, &info))) return;
  const DrawSpan span = {first, std::min(end, info.endPixel), info.firstPixel - first, record,
                         LONG(ClientXOf(first)),
                         {BorderWidth(), 0, m_paneWidth - BorderWidth(), m_paneHeight},
                         TimeGridOf(dc, info)};
  std::vector<ChannelPane*> panes;
  if (pane == -1) {
    panes = m_channelPanes;
  } else if (ChannelPane* channelPane = ChannelPaneAt(pane)) {
    panes.push_back(channelPane);
  }
  for (ChannelPane* channelPane : panes) RedrawBandLane(*channelPane, lane, span, flags, dc, reset);
}

void DataPane::RedrawBandLane(ChildPaneBase& band, LONG lane, const DrawSpan& span, DWORD flags,
                              HDC dc, bool reset) {
  if (lane < 0 || lane >= kLayerCount) return;
  LaneRecord& record = band.LaneAt(lane);
  record.spanFrom = span.first;
  record.spanTo = span.end;
  if (reset) record.flags = (record.flags & ~kLanePartialValid) | kLaneWholeRedraw;
  const LONG to = LONG(span.leftColumn + (span.end - span.first));
  band.InvalidateSpan(span.leftColumn, to, lane, lane + 1, false);
  const Layer& composite = band.LayerAt(0);
  const HDC target = dc ? dc : composite.image ? composite.image->Dc() : nullptr;
  if (!target) return;
  band.DrawLayers(target, span, DWORD(1) << lane, flags);
  if (dc && AllowsBuffering()) band.Paint(dc, 0, false);
}

}  // namespace PendrelDraw
