// What layout, data and scrolling leave to be redrawn: the invalidation mask, the drawer refresh
// sets and the dirty spans of the bands, until the pane flushes them.
#include "tracedisplay/datapane/data_pane.h"

namespace PendrelDraw {

namespace {

// The fill word stands for every index.
bool HasBit(const Quor::BitsetRep& set, std::size_t index) {
  return ((set.Word(index / 32) | set.Fill()) >> (index % 32)) & 1;
}

void Empty(Quor::BitsetRep& set) {
  for (std::size_t i = 0; i < set.WordCount(); ++i) set.Words()[i] = 0;
  set.SetFill(0);
}

}  // namespace

void DataPane::Invalidate(DWORD mask) {
  ClampScrollPosition();
  UpdateScrollBar();
  if (mask & kRedrawLayout) AutoScaleVisible();
  m_timeScale->Invalidate(mask, 0);
  for (ChannelPane* pane : m_channelPanes) pane->Invalidate(mask, 0);
  BroadcastEvent(PaneEvent::Invalidate, LONG_PTR(mask));
  if (m_zoomControl) m_zoomControl->Refresh();
  if (m_scrollBar) m_scrollBar->Refresh();
  MarkAllForRedraw();
}

void DataPane::MarkAllForRedraw() { ResetDrawCaches(); }

void DataPane::ResetDrawCaches() {
  LONGLONG first = 0, end = 0;
  VisiblePixels(&first, &end);
  m_timeScale->MarkLanesForRedraw(first, end);
  for (ChannelPane* pane : m_channelPanes) pane->MarkLanesForRedraw(first, end);
}

void DataPane::InvalidatePaneSpan(LONG pane, LONG from, LONG to) {
  const auto span = [&](ChildPaneBase& band) { band.InvalidateSpan(from, to, 0, kLayerCount, true); };
  if (pane == -2) {
    span(*m_timeScale);
    for (ChannelPane* channelPane : m_channelPanes) span(*channelPane);
  } else if (pane == -1) {
    span(*m_timeScale);
  } else if (ChannelPane* channelPane = ChannelPaneAt(pane)) {
    span(*channelPane);
  }
}

bool DataPane::FlushPendingUpdates() {
  if (!m_dataView) return false;
  DWORD pending = 0;
  m_dataView->GetPendingUpdates(&pending);
  const DWORD mask = m_invalidationMask | pending;
  if (!mask) return false;
  if (mask & kRedrawEverything) Invalidate(mask);
  for (int kind = 0; kind < 2; ++kind) {
    for (std::size_t i = 0; i < m_channelPanes.size(); ++i) {
      IPendrelRecordDrawer* drawer = m_drawerSources[i].drawer[kind];
      if (drawer && HasBit(*m_refreshSets[kind], i)) drawer->Refresh(0xFF000000);
    }
    Empty(*m_refreshSets[kind]);
  }
  m_dataView->AcknowledgeUpdates(mask);
  m_invalidationMask &= ~mask;
  return true;
}

void DataPane::SetPaneSize(SIZE size) {
  m_paneWidth = size.cx;
  m_paneHeight = size.cy;
  m_sizeChanged = true;
  m_sweepPosition = DataWidth();
  MarkAllForRedraw();
  LayoutPanes();
  PlaceScrollControls();
  const LONG scaleRows = m_timeScale->ScaleHeight() + 2 * LaneGap();
  Broadcast([&](IPendrelInteractiveObject* object) {
    object->OnSize(size.cx, size.cy - scaleRows);
  });
  m_invalidationMask |= kRedrawLayout;
  m_lastDataWidth = DataWidth();
}

}  // namespace PendrelDraw
