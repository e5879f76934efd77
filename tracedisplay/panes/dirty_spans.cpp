#include "tracedisplay/panes/dirty_spans.h"

#include <algorithm>

namespace PendrelDraw {

DirtySpans::DirtySpans(ChildPaneBase& band, COLORREF background)
    : m_band(band), m_background(background) {
  bool found = false;
  for (int i = 0; i < kLayerCount; ++i) {
    const Layer& layer = band.LayerAt(i);
    if (!layer.IsBuffered() || !(layer.flags & kLayerDirty) || IsRectEmpty(&layer.dirty)) continue;
    // Only the band's own columns can be drawn.
    const LONG from = std::max(layer.dirty.left, band.rect.left);
    const LONG to = std::min(layer.dirty.right, band.rect.right);
    if (from >= to) continue;
    m_dirty[std::size_t(i)] = {from, band.rect.top, to, band.rect.bottom};
    m_from = found ? std::min(m_from, from) : from;
    m_to = found ? std::max(m_to, to) : to;
    found = true;
  }
}

void DirtySpans::Restore(LONG from, LONG to) {
  for (int i = 0; i < kLayerCount; ++i) {
    const RECT& dirty = m_dirty[std::size_t(i)];
    Layer& layer = m_band.LayerAt(i);
    const LONG left = std::max(dirty.left, from);
    const LONG right = std::min(dirty.right, to);
    if (IsRectEmpty(&dirty) || left >= right) {
      if (layer.IsBuffered()) layer.MarkClean();
      continue;
    }
    layer.dirty = {left, dirty.top, right, dirty.bottom};
    layer.MarkDirty();
    if (i == 0 && !layer.HasDrawers()) FillComposite(left, right);
  }
}

void DirtySpans::Finish(LONG drawnFrom, LONG drawnTo) {
  if (Any()) {
    if (drawnFrom >= drawnTo) {
      FillComposite(m_from, m_to);
    } else {
      FillComposite(m_from, std::min(m_to, drawnFrom));
      FillComposite(std::max(m_from, drawnTo), m_to);
    }
  }
  for (int i = 0; i < kLayerCount; ++i) {
    Layer& layer = m_band.LayerAt(i);
    if (layer.IsBuffered()) layer.MarkClean();
  }
}

void DirtySpans::FillComposite(LONG from, LONG to) {
  const Layer& composite = m_band.LayerAt(0);
  if (composite.image && from < to) FillBandColumns(composite.image->Dc(), m_band, from, to, m_background);
}

void FillBandColumns(HDC dc, const ChildPaneBase& band, LONG from, LONG to, COLORREF colour) {
  const RECT fill = {std::max(from, band.rect.left), band.rect.top, std::min(to, band.rect.right),
                     band.rect.bottom};
  if (IsRectEmpty(&fill)) return;
  const HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &fill, brush);
  DeleteObject(brush);
}

}  // namespace PendrelDraw
