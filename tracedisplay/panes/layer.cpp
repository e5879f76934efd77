#include "tracedisplay/panes/layer.h"

#include <algorithm>

namespace PendrelDraw {

LayerImage::LayerImage(const RECT& band)
    : m_dc(CreateCompatibleDC(nullptr)),
      m_bitmap(CreateCompatibleBitmap(nullptr, band.right - band.left, band.bottom - band.top)),
      m_previous(SelectObject(m_dc, m_bitmap)),
      m_width(band.right - band.left),
      m_height(band.bottom - band.top) {
  SetWindowOrgEx(m_dc, band.left, band.top, nullptr);
}

LayerImage::~LayerImage() {
  SelectObject(m_dc, m_previous);
  DeleteObject(m_bitmap);
  DeleteDC(m_dc);
}

void Layer::WidenDirty(LONG from, LONG to, const RECT& band) {
  if (IsRectEmpty(&dirty)) {
    dirty = {from, band.top, to, band.bottom};
  } else {
    dirty.left = std::min(dirty.left, from);
    dirty.right = std::max(dirty.right, to);
    dirty.top = band.top;
    dirty.bottom = band.bottom;
  }
}

}  // namespace PendrelDraw
