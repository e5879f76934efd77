// The data pane's horizontal scrolling: the scroll position (the data pixel at the right edge of
// the visible data), the scroll bar that shows it in 31 bits, and the follow state.
#include <algorithm>
#include <cstdlib>

#include "tracedisplay/datapane/data_pane.h"

namespace PendrelDraw {

namespace {

constexpr LONGLONG kScrollRange = LONGLONG(1) << 31;
constexpr UINT kScrollInfoMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

}  // namespace

LONGLONG DataPane::DataExtent() {
  LONGLONG extent = 0;
  if (m_dataView) m_dataView->GetDataExtent(&extent);
  return extent;
}

LONGLONG DataPane::ClientXOf(LONGLONG pixel) const {
  return (m_paneWidth - BorderWidth()) - m_scrollPosition + pixel;
}

LONGLONG DataPane::PixelAtClientX(LONGLONG x) const {
  return m_scrollPosition - (m_paneWidth - BorderWidth()) + x;
}

bool DataPane::VisiblePixels(LONGLONG* first, LONGLONG* end) {
  *first = std::max<LONGLONG>(m_scrollPosition - DataWidth(), 0);
  *end = m_scrollPosition;
  return m_dataView != nullptr;
}

void DataPane::CallViewHandlers(const std::function<void(double, LONG, double)>& handler) {
  if (!handler) return;
  LONG record = 0, tick = 0;
  double seconds = 0.0;
  if (m_dataView && m_dataView->PixelToPosition(m_scrollPosition, &record, &tick) == S_OK) {
    PendrelTraceRecordInfo info{};
    if (SUCCEEDED(m_dataView->GetRecordInformation(record, &info))) {
      seconds = tick * info.record.tickPeriod;
    }
  }
  handler(m_compression.ToDouble(), record, seconds);
}

void DataPane::UpdateScrollBar() {
  if (!m_scrollBar) return;
  const LONGLONG extent = DataExtent();
  const LONGLONG width = DataWidth();
  if (extent > width && m_timeScale->AllowsScrolling()) {
    m_scrollBar->Enable(true);
    m_scrollScale = LONG((extent + 1) / kScrollRange + 1);
    m_pageStep = std::max<LONG>(LONG((width * 5) / m_scrollScale / 8), 1);
    m_lineStep = std::max<LONG>(m_pageStep / 16, 1);
    SCROLLINFO info = {sizeof(SCROLLINFO), kScrollInfoMask, 0, int(extent / m_scrollScale),
                       UINT(width / m_scrollScale), int((m_scrollPosition - width) / m_scrollScale),
                       0};
    m_scrollBar->SetScrollInfo(info, true);
  } else {
    m_scrollBar->Enable(false);
  }
  if (m_zoomControl) m_zoomControl->SetFollowState(IsFollowing());
  BroadcastEvent(PaneEvent::ViewMoved);
  if (m_callbacks.viewChanged) m_callbacks.viewChanged();
}

void DataPane::OnScroll(WORD code, double amount) {
  if (!m_scrollBar) return;
  // The whole move under the pane lock: the host's online notices move the same scroll
  // position from their own thread, and a paint must see one or the other, never half of each.
  std::lock_guard lock(m_lock);
  m_userScrolled = true;
  if (code == SB_ENDSCROLL) {
    EndScroll(true);
    return;
  }
  SCROLLINFO info = {sizeof(SCROLLINFO), kScrollInfoMask, 0, 0, 0, 0, 0};
  m_scrollBar->GetScrollInfo(info);
  const LONG largest = LONG(info.nMax - DataWidth() / m_scrollScale);
  LONGLONG position = info.nPos;
  switch (code) {
    case SB_LINELEFT: position -= LONGLONG(m_lineStep * amount); break;
    case SB_LINERIGHT: position += LONGLONG(m_lineStep * amount); break;
    case SB_PAGELEFT: position -= LONGLONG(m_pageStep * amount); break;
    case SB_PAGERIGHT: position += LONGLONG(m_pageStep * amount); break;
    case SB_THUMBTRACK: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = largest; break;
    default: break;
  }
  position = std::clamp<LONGLONG>(position, info.nMin, std::max<LONGLONG>(largest, info.nMin));
  if (position == largest) {
    SetFollowByUser(true, false);
  } else if (m_follow) {
    SetFollowByUser(false, false);
  }
  SCROLLINFO moved = info;
  moved.fMask = SIF_POS;
  moved.nPos = int(position);
  m_scrollBar->SetScrollInfo(moved, code != SB_THUMBTRACK);
  const LONGLONG previous = m_scrollPosition;
  m_scrollPosition = std::min(position * m_scrollScale + DataWidth(), DataExtent());
  ScrollBy(previous - m_scrollPosition);
}

void DataPane::ScrollBy(LONGLONG delta) {
  BroadcastEvent(PaneEvent::ScrollBegin);
  DWORD reason = kRedrawLayout;
  if (std::llabs(delta) > DataWidth()) {
    MarkAllForRedraw();
  } else {
    m_timeScale->ShiftLayers(LONG(delta), true);
    for (ChannelPane* pane : m_channelPanes) pane->ShiftLayers(LONG(delta), true);
    reason = AllowsBuffering() ? kRedrawBufferedShift : kRedrawPlainShift;
  }
  BroadcastEvent(PaneEvent::ScrollEnd, LONG_PTR(delta), LONG_PTR(reason));
}

void DataPane::ScrollToTime(LONG tick, LONG record, LONG mode) {
  LONGLONG pixel = 0;
  if (!m_dataView || FAILED(m_dataView->PositionToPixel(record, tick, &pixel))) return;
  const LONGLONG width = DataWidth();
  const LONGLONG x = ClientXOf(pixel);
  if (mode == 0 && x > 0 && x < width) return;
  const LONGLONG target = mode == 0 || mode == 1 ? width / 2 : mode == 2 ? 0 : width;
  const LONGLONG previous = m_scrollPosition;
  m_scrollPosition = (m_paneWidth - BorderWidth()) + pixel - target;
  ClampScrollPosition();
  UpdateScrollBar();
  ScrollBy(previous - m_scrollPosition);
}

void DataPane::ScrollToPosition(LONG tick, LONG record) {
  LONGLONG pixel = 0;
  if (!m_dataView || FAILED(m_dataView->PositionToPixel(record, tick, &pixel))) return;
  const LONGLONG previous = m_scrollPosition;
  m_scrollPosition = pixel + DataWidth();
  ClampScrollPosition();
  UpdateScrollBar();
  ScrollBy(previous - m_scrollPosition);
}

void DataPane::ScrollToEnd() {
  if (m_callbacks.jumpToEnd) m_callbacks.jumpToEnd();
  m_follow = true;
  const LONGLONG previous = m_scrollPosition;
  m_scrollPosition = DataViewEnd();
  ScrollBy(previous - m_scrollPosition);
  UpdateScrollBar();
  SetFollowByUser(true, true);
}

void DataPane::ClampScrollPosition() {
  MarkAllForRedraw();
  m_sweepPosition = DataWidth();
  const LONGLONG extent = DataExtent();
  if (m_scrollPosition > extent) m_scrollPosition = extent;
  if (m_scrollPosition < DataWidth()) m_scrollPosition = std::min<LONGLONG>(DataWidth(), extent);
}

void DataPane::EndScroll(bool notify) {
  m_userScrolled = false;
  if (!notify) return;
  CallViewHandlers(m_callbacks.positionChanged);
  CallViewHandlers(m_callbacks.viewMoved);
  if (m_callbacks.viewChanged) m_callbacks.viewChanged();
}

HRESULT DataPane::GetVisibleRange(RecordPositionRange* range) {
  if (!m_dataView) return E_POINTER;
  if (!range) return E_POINTER;
  const HRESULT first = m_dataView->PixelToPosition(m_scrollPosition - DataWidth(),
                                                    &range->startRecord, &range->startOffset);
  const HRESULT second =
      m_dataView->PixelToPosition(m_scrollPosition, &range->endRecord, &range->endOffset);
  if (DataExtent() == 0) return S_FALSE;
  const bool before = range->startRecord < range->endRecord ||
                      (range->startRecord == range->endRecord && range->startOffset < range->endOffset);
  if (!before) return S_FALSE;
  return first == S_OK ? second : first;
}

void DataPane::PlaceScrollControls() {
  const int zoomHeight = m_zoomControl ? m_zoomControl->PreferredHeight() : 0;
  const int zoomWidth = m_zoomControl ? m_zoomControl->Width() : 0;
  const int x0 = m_paneRect.left + BorderWidth();
  const int y = m_paneRect.top + m_paneHeight + 1;
  const int width = DataWidth();
  if (m_scrollBar) m_scrollBar->Place(x0, y, std::max(width - zoomWidth, 0), zoomHeight);
  if (m_zoomControl) m_zoomControl->Place(x0 + std::max(width - zoomWidth, 0), y, zoomWidth, zoomHeight);
}

void DataPane::SetFollow(bool follow, bool notify) {
  if (notify && follow != m_follow && m_callbacks.followChanged) m_callbacks.followChanged(follow);
  m_follow = follow;
}

void DataPane::SetFollowByUser(bool follow, bool notify) {
  if (follow != m_follow) SetFollow(follow, notify);
  if (m_zoomControl) m_zoomControl->SetFollowState(IsFollowing());
}

}  // namespace PendrelDraw
