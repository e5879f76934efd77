// How a data pane answers a paint request: the bands report what they must draw again, the
// record walk draws it (into the bands' images when buffered), the images reach the window with
// the sweep line, and the interactive objects paint over them. Without data the bands show the
// background.
#include <algorithm>

#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/panes/dirty_spans.h"

namespace PendrelDraw {

namespace {

constexpr COLORREF kFrameGrey = RGB(195, 195, 195);

bool VisibleIn(HDC dc, const RECT& rect) {
  RECT clip = {};
  RECT common = {};
  return GetClipBox(dc, &clip) != ERROR && IntersectRect(&common, &clip, &rect);
}

void FillArea(HDC dc, const RECT& area, COLORREF colour) {
  const HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

// The frame of a channel area that holds no lanes, one pixel outside it.
void FrameEmpty(HDC dc, RECT area) {
  InflateRect(&area, 1, 1);
  const HBRUSH brush = CreateSolidBrush(kFrameGrey);
  FrameRect(dc, &area, brush);
  DeleteObject(brush);
}

}  // namespace

void DataPane::Paint(HDC dc, const RECT& rect, DWORD) {
  std::lock_guard lock(m_lock);
  if (!m_paintingEnabled || IsRectEmpty(&rect)) return;
  BroadcastEvent(PaneEvent::PrepareToPaint, reinterpret_cast<LONG_PTR>(dc));
  const RECT data = {BorderWidth(), 0, m_paneWidth - BorderWidth(), m_paneHeight};
  if (!AllowsBuffering()) {
    const LONG from = std::max(rect.left, data.left);
    const LONG to = std::min(rect.right, data.right);
    if (from < to) DrawRecords(dc, 0, rect, from, to);
  } else {
    LONG from = data.left, to = data.right;
    // Without channel panes there is only the background to show.
    if (m_channelPanes.empty() || InvalidColumns(&from, &to)) DrawRecords(dc, 0, data, from, to);
    DrawSweepLine(dc);
  }
  BroadcastEvent(PaneEvent::Paint, reinterpret_cast<LONG_PTR>(dc), reinterpret_cast<LONG_PTR>(&rect));
  m_sizeChanged = false;
  CallAfterPaint(dc, data);
}

bool DataPane::InvalidColumns(LONG* from, LONG* to) {
  bool found = false;
  for (ChildPaneBase* band : Bands()) {
    const DirtySpans dirt(*band, ShownBackground());
    if (!dirt.Any()) continue;
    *from = found ? std::min(*from, dirt.From()) : dirt.From();
    *to = found ? std::max(*to, dirt.To()) : dirt.To();
    found = true;
  }
  return found;
}

void DataPane::CallAfterPaint(HDC dc, const RECT& data) {
  if (!m_callbacks.afterPaint) return;
  const LONGLONG free = m_paneWidth - m_scrollPosition - BorderWidth();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, data.left, data.top, data.right, data.bottom);
  const bool changed = m_callbacks.afterPaint(dc, free > 1 ? LONG(free) : 0, *this);
  RestoreDC(dc, saved);
  if (changed) OnLaneInvalidated(data, false);
}

COLORREF DataPane::ShownBackground() {
  COLORREF colour = m_background;
  GetBackgroundColour(&colour);
  return colour;
}

LONG DataPane::SweepColumn() const { return BorderWidth() + m_sweepPosition - 1; }

bool DataPane::SweepEmphasised() const { return m_jumpToEndAtRecordStart && IsFollowing(); }

void DataPane::DrawSweepLine(HDC dc) {
  for (ChildPaneBase* band : Bands()) band->Paint(dc, SweepColumn(), SweepEmphasised());
}

void DataPane::FillBand(HDC dc, ChildPaneBase& band, bool settled) {
  if (!VisibleIn(dc, band.rect)) return;
  const Layer& composite = band.LayerAt(0);
  if (!AllowsBuffering() || !composite.image) {
    FillArea(dc, band.rect, ShownBackground());
    return;
  }
  FillArea(composite.image->Dc(), band.rect, ShownBackground());
  if (settled) {
    // Nothing more to draw: the image is what the band shows.
    for (int i = 0; i < kLayerCount; ++i) band.LayerAt(i).MarkClean();
  } else {
    // The image lost what it showed: the next paint draws every layer again.
    band.MarkAllLayersDirty();
  }
}

RECT DataPane::ChannelArea() const {
  const LONG g = LaneGap();
  return {BorderWidth(), g, BorderWidth() + DataWidth(),
          m_paneHeight - m_timeScale->ScaleHeight() - g};
}

void DataPane::PaintWithoutData(HDC dc) {
  FillBackground(dc, true);
}

void DataPane::FillBackground(HDC dc, bool settled) {
  FillBand(dc, *m_timeScale, settled);
  if (m_channelPanes.empty()) {
    FillArea(dc, ChannelArea(), ShownBackground());
    FrameEmpty(dc, ChannelArea());
    return;
  }
  for (ChannelPane* pane : m_channelPanes) FillBand(dc, *pane, settled);
}

void DataPane::PaintBackground(HDC dc, DWORD, DWORD) {
  std::lock_guard lock(m_lock);
  m_timeScale->DrawFrame(dc);
  for (ChannelPane* pane : m_channelPanes) pane->DrawFrame(dc);
  FillBackground(dc, false);
}

}  // namespace PendrelDraw
