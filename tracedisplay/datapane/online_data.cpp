// The data pane while the host samples: the data view hears every notice first; the pane then
// marks itself online, follows the newest data unless the user scrolled away, moves the sweep
// line and the scroll position by the data that arrived, and settles the view when sampling
// stops. The notices only set state and shift the bands; drawing is left to the paint path.
// They come on the host's thread while the window thread paints: each takes the pane lock, so
// that a paint sees the scroll position, the sweep line and the bands as one notice left them.
#include <algorithm>

#include "core/com_ptr.h"
#include "platform/win32/clock.h"
#include "tracedisplay/datapane/data_pane.h"

namespace PendrelDraw {

namespace {

constexpr DWORD kDontFollowNewData = 0x08000000;
constexpr DWORD kTimedRefreshInterval = 300;

}  // namespace

bool DataPane::ForwardToDataView(const std::function<void(IOnlineDataSink*)>& notice) {
  if (const auto sink = Quor::QueryFace<IOnlineDataSink>(m_dataView)) notice(sink.Get());
  return !(m_styleFlags & kPaneIgnoresOnline);
}

HRESULT DataPane::OnRecordStart(LONG record) {
  std::lock_guard lock(m_lock);
  if (!ForwardToDataView([&](IOnlineDataSink* sink) { sink->OnRecordStart(record); })) return S_OK;
  m_online = true;
  m_resetPending = true;
  MarkAllForRedraw();
  m_recordStartEnd = DataViewEnd();
  BroadcastEvent(PaneEvent::RecordStart, record);
  if (!(m_channelFlags & kDontFollowNewData)) m_follow = true;
  if (m_zoomControl) m_zoomControl->SetFollowState(m_follow);
  AutoScaleVisible();
  if (m_callbacks.recordChange) m_callbacks.recordChange(1);
  if (m_jumpToEndAtRecordStart && m_follow && m_displayMode != 1) {
    const LONGLONG previous = m_scrollPosition;
    m_scrollPosition = DataViewEnd();
    ScrollBy(previous - m_scrollPosition);
    UpdateScrollBar();
  }
  return S_OK;
}

HRESULT DataPane::OnDataAdded(LONG record, LONG start, LONG count, VARIANT_BOOL more) {
  std::lock_guard lock(m_lock);
  if (!ForwardToDataView([&](IOnlineDataSink* sink) { sink->OnDataAdded(record, start, count, more); })) {
    return S_OK;
  }
  m_dataPending = true;
  m_moreData = more != VARIANT_FALSE;
  m_currentOnlineRecord = record;
  m_timeScale->SetChannel(DWORD(record), m_moreData);
  for (ChannelPane* pane : m_channelPanes) pane->SetChannel(DWORD(record), m_moreData);
  if (m_callbacks.onlineData) m_callbacks.onlineData(record, start, count, m_moreData);
  m_lastOnlineTick = GetTickCount();
  return S_OK;
}

HRESULT DataPane::OnRecordEnd(LONG record) {
  std::lock_guard lock(m_lock);
  if (!ForwardToDataView([&](IOnlineDataSink* sink) { sink->OnRecordEnd(record); })) return S_OK;
  if (m_online) AdvanceWithNewData();
  if (m_callbacks.afterUpdate) m_callbacks.afterUpdate(record);
  return S_OK;
}

void DataPane::AdvanceWithNewData() {
  m_resetPending = false;
  const LONGLONG end = DataViewEnd();
  const LONG width = DataWidth();
  const LONGLONG previous = m_scrollPosition;
  if (end < width || IsFollowing()) m_scrollPosition = end;
  LONGLONG delta = m_scrollPosition - previous;
  // A jump beyond one data width redraws once.
  if (delta > width) {
    delta = width;
    m_sweepPosition = width;
  } else {
    m_sweepPosition = LONG(std::max<LONGLONG>(m_sweepPosition + delta, 1));
    if (m_sweepPosition > width) m_sweepPosition -= width;
  }
  LONGLONG reach = end;
  m_timeScale->OnDataAdded(previous, delta, &reach);
  for (ChannelPane* pane : m_channelPanes) pane->OnDataAdded(previous, delta, &reach);
  const DWORD now = GetTickCount();
  if (!(m_styleFlags & kPaneNoTimedRedraw) && now - m_lastOnlineTick > kTimedRefreshInterval) {
    BroadcastEvent(PaneEvent::TimedRefresh);
    m_lastOnlineTick = now;
  }
  UpdateScrollBar();
  if (!IsFollowing() && m_scrollPosition < width) Invalidate(kRedrawEverything);
}

HRESULT DataPane::OnSamplingStopped(DWORD reason, DWORD reserved) {
  std::lock_guard lock(m_lock);
  if (!ForwardToDataView([&](IOnlineDataSink* sink) { sink->OnSamplingStopped(reason, reserved); })) {
    return S_OK;
  }
  // The bands' drawers let go of the record they followed.
  for (ChildPaneBase* band : Bands()) band->Invalidate(reason, reserved);
  m_dataPending = false;
  if (m_moreData) return S_OK;
  const LONGLONG end = DataViewEnd();
  if (end < m_scrollPosition) {
    const LONGLONG previous = m_scrollPosition;
    m_scrollPosition = end;
    ScrollBy(previous - end);
    UpdateScrollBar();
  }
  return S_OK;
}

HRESULT DataPane::OnDataChanged(DWORD reserved) {
  std::lock_guard lock(m_lock);
  if (!ForwardToDataView([&](IOnlineDataSink* sink) { sink->OnDataChanged(reserved); })) return S_OK;
  if (m_jumpToEndAtRecordStart && IsFollowing()) MarkAllForRedraw();
  m_sweepPosition = DataWidth();
  m_online = false;
  for (ChildPaneBase* band : Bands()) band->Invalidate(reserved, 0);
  BroadcastEvent(PaneEvent::DataChanged, LONG_PTR(reserved));
  UpdateScrollBar();
  if (m_callbacks.viewChanged) m_callbacks.viewChanged();
  if (m_callbacks.recordChange) m_callbacks.recordChange(0);
  return S_OK;
}

HRESULT DataPane::OnChannelChanged(DWORD channel) {
  std::lock_guard lock(m_lock);
  if (!ForwardToDataView([&](IOnlineDataSink* sink) { sink->OnChannelChanged(channel); })) {
    return S_OK;
  }
  // The bands' drawers let go of the channel's data and take it up afresh when next drawn.
  for (ChildPaneBase* band : Bands()) band->Invalidate(channel, 0);
  return S_OK;
}

}  // namespace PendrelDraw
