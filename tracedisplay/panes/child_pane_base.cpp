#include "tracedisplay/panes/child_pane_base.h"

#include <algorithm>
#include <bit>
#include <string>

#include "core/xquor.h"
#include "platform/win32/debug_output.h"
#include "platform/win32/last_error.h"

namespace PendrelDraw {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kFrameGrey = RGB(195, 195, 195);
constexpr DWORD kDrawSkipWhiteFill = 0x10000000;

DWORD IdOf(IPendrelRecordDrawer* drawer) {
  DWORD id = 0;
  drawer->GetId(&id);
  return id;
}

int LayerOf(DWORD id) { return int(id / 256); }

bool VisibleIn(HDC dc, const RECT& rect) {
  RECT clip = {};
  if (GetClipBox(dc, &clip) == ERROR) return false;
  RECT common = {};
  return IntersectRect(&common, &clip, &rect);
}

}  // namespace

ChildPaneBase::ChildPaneBase(LONG colourSlot_, ChildPaneOwner& owner) : m_owner(&owner) {
  colourSlot = colourSlot_;
}

ChildPaneBase::ChildPaneBase(const ChildPaneBase& other)
    : SimpleUnknownImp1<IDragScaleObserver, 0>(), ChildPaneBaseInit(other), m_owner(other.m_owner) {
  for (IPendrelRecordDrawer* drawer : other.m_drawers) {
    IPendrelRecordDrawer* clone = nullptr;
    if (SUCCEEDED(drawer->Clone(0x40000000, &clone)) && clone) {
      AddDrawer(0, clone, 255);
      clone->Release();
    }
  }
}

ChildPaneBase::~ChildPaneBase() {
  for (IPendrelRecordDrawer* drawer : m_drawers) drawer->Release();
}

HRESULT ChildPaneBase::OnDragStart(LONG, LONG) { return E_NOTIMPL; }
HRESULT ChildPaneBase::OnDragEnd(LONG, LONG) { return E_NOTIMPL; }
HRESULT ChildPaneBase::OnScaleChanged(LONG, double, double) { return E_NOTIMPL; }
HRESULT ChildPaneBase::OnAutoScaleRequest(LONG, LONG) { return E_NOTIMPL; }
HRESULT ChildPaneBase::GetAxisDataRange(LONG, double*, VARIANT_BOOL*) { return E_NOTIMPL; }

HRESULT ChildPaneBase::UpdateFromChannel(IUnknown* settings, IUnknown* labels, LONG channel) {
  for (IPendrelRecordDrawer* drawer : m_drawers) drawer->UpdateFromChannel(settings, labels, channel);
  return S_OK;
}

HRESULT ChildPaneBase::AddDrawer(DWORD flags, IPendrelRecordDrawer* drawer, LONG alpha) {
  if (!drawer) return E_POINTER;
  // A ninth layer has no record: such an id would address past the layers.
  if (IdOf(drawer) > kLastDrawerId) return E_INVALIDARG;
  drawer->SetUnits(m_owner->DrawerServices());
  drawer->SetColour(0, colourSlot);
  drawer->SetExtent(paneId, &rect);
  drawer->AddRef();
  m_drawers.push_back(drawer);
  SortDrawers();
  if ((flags & 0x80000000) && m_owner->AllowsBuffering()) {
    Layer& layer = m_layers[std::size_t(LayerOf(IdOf(drawer)))];
    layer.flags = (layer.flags & ~kLayerDrawn) | kLayerBuffered | kLayerDirty;
    layer.alpha = alpha;
    if (alpha != 255) layer.flags &= ~kLayerWhiteTransparent;
    if (flags & kLayerBlended) layer.flags |= kLayerBlended;
    // A band already placed gives the layer its image now, not at the next layout.
    PlaceLayers();
  }
  marginsStale = true;
  OnDrawerAdded(*drawer);
  return S_OK;
}

void ChildPaneBase::SortDrawers() {
  std::stable_sort(m_drawers.begin(), m_drawers.end(),
                   [](IPendrelRecordDrawer* a, IPendrelRecordDrawer* b) { return IdOf(a) < IdOf(b); });
  for (Layer& layer : m_layers) layer.firstDrawer = layer.endDrawer = -1;
  for (std::size_t i = 0; i < m_drawers.size(); ++i) {
    Layer& layer = m_layers[std::size_t(LayerOf(IdOf(m_drawers[i])))];
    if (layer.firstDrawer == -1) layer.firstDrawer = LONG(i);
    layer.endDrawer = LONG(i + 1);
  }
}

HRESULT ChildPaneBase::RemoveDrawers(DWORD mask, LONG channelIndex, LONG dataKind) {
  const bool anyChannel = channelIndex == LONG(0x80000000) && dataKind == LONG(0xC0000000);
  for (std::size_t i = m_drawers.size(); i-- > 0;) {
    IPendrelRecordDrawer* drawer = m_drawers[i];
    bool capable = mask == 0;
    if (!capable) {
      DWORD capabilities = 0;
      LONG left = 0, right = 0;
      drawer->GetCapabilities(0, &capabilities, &left, &right, 0);
      capable = (capabilities & mask) != 0;
    }
    LONG pair[2] = {};
    const bool channelMatches =
        anyChannel || (drawer->GetScale(pair), pair[0] == channelIndex && pair[1] == dataKind);
    if (capable && channelMatches) {
      m_drawers.erase(m_drawers.begin() + std::ptrdiff_t(i));
      drawer->Release();
    }
  }
  SortDrawers();
  return S_OK;
}

void ChildPaneBase::SetLayout(DWORD id, const LONG* pair, const RECT& band, LONG, LONG, LONG) {
  paneId = id;
  if (pair) {
    layoutPair[0] = pair[0];
    layoutPair[1] = pair[1];
  }
  Layer& composite = m_layers[0];
  composite.flags &= ~kLayerWhiteTransparent;
  if (m_owner->AllowsBuffering()) {
    composite.flags |= kLayerBuffered | kLayerDirty;
  } else {
    composite.flags &= ~kLayerBuffered;
  }
  rect = band;
  PlaceLayers();
  MarkAllLayersDirty();
  m_owner->FlushPendingUpdates();
  m_owner->OnLaneInvalidated(rect, false);
}

void ChildPaneBase::PlaceLayers() {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  for (Layer& layer : m_layers) {
    if (!layer.IsBuffered() || width <= 0 || height <= 0) {
      layer.image.reset();
    } else if (!layer.image || layer.image->Width() != width || layer.image->Height() != height) {
      layer.image = std::make_shared<LayerImage>(rect);
    } else {
      SetWindowOrgEx(layer.image->Dc(), rect.left, rect.top, nullptr);
    }
  }
  m_composite = rect;
}

void ChildPaneBase::MarkAllLayersDirty() {
  for (Layer& layer : m_layers) {
    layer.dirty = rect;
    layer.MarkDirty();
  }
}

void ChildPaneBase::MarkLanesForRedraw(LONGLONG from, LONGLONG to) {
  for (LaneRecord& lane : m_lanes) {
    lane.spanFrom = from;
    lane.spanTo = to;
    lane.flags = (lane.flags & ~kLanePartialValid) | kLaneWholeRedraw;
  }
  MarkAllLayersDirty();
}

void ChildPaneBase::InvalidateSpan(LONG from, LONG to, int firstLayer, int endLayer, bool whole) {
  int first = firstLayer;
  if (whole || firstLayer < 0 || firstLayer >= kLayerCount) {
    m_layers[0].WidenDirty(from, to, rect);
    m_layers[0].MarkDirty();
    first = 1;
  }
  for (int i = first; i < kLayerCount; ++i) {
    Layer& layer = m_layers[std::size_t(i)];
    if (from < to) layer.WidenDirty(from, to, rect);
    if (i >= firstLayer && i < endLayer) layer.MarkDirty();
  }
}

void ChildPaneBase::MeasureMargins(bool clearStale) {
  if (!marginsStale) return;
  LONG left = 0, right = 0;
  for (IPendrelRecordDrawer* drawer : m_drawers) {
    if (IdOf(drawer) > kLastDrawerId) continue;
    DWORD flags = 0;
    LONG l = 0, r = 0;
    drawer->GetCapabilities(0, &flags, &l, &r, 0);
    left = std::max(left, l);
    right = std::max(right, r);
  }
  leftMargin = left;
  rightMargin = right;
  if (clearStale) marginsStale = false;
}

RECT ChildPaneBase::VisibleSpan() {
  MeasureMargins(true);
  return {rect.left - leftMargin, rect.top, rect.right + rightMargin, rect.bottom};
}

void ChildPaneBase::DrawFrame(HDC dc) {
  if (!m_owner->IsMonochromeMode()) {
    RECT frame = rect;
    InflateRect(&frame, 1, 1);
    if (!VisibleIn(dc, frame)) return;
    if (Height() > 0) {
      const HPEN pen = CreatePen(PS_SOLID, 1, kFrameGrey);
      const HGDIOBJ previous = SelectObject(dc, pen);
      const POINT corners[] = {{frame.left, frame.top},
                               {frame.right - 1, frame.top},
                               {frame.right - 1, frame.bottom - 1},
                               {frame.left, frame.bottom - 1},
                               {frame.left, frame.top}};
      Polyline(dc, corners, 5);
      SelectObject(dc, previous);
      DeleteObject(pen);
    } else {
      // A band without height still shows where it is: a black bar two pixels high.
      const COLORREF background = SetBkColor(dc, RGB(0, 0, 0));
      ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &frame, u"", 0, nullptr);
      SetBkColor(dc, background);
    }
    return;
  }
  if (colourSlot < 0 || Height() <= 0) return;
  RECT frame = rect;
  InflateRect(&frame, m_owner->BorderWidth(), m_owner->LaneGap());
  if (!VisibleIn(dc, frame)) return;
  const int width = int(0.3 * m_owner->ResolutionX(dc) + 0.5);
  const HPEN pen = CreatePen(PS_SOLID, std::max(width, 1), RGB(0, 0, 0));
  const HGDIOBJ previous = SelectObject(dc, pen);
  MoveToEx(dc, frame.left, frame.top, nullptr);
  LineTo(dc, frame.left, frame.bottom);
  LineTo(dc, frame.right, frame.bottom);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

void ChildPaneBase::Refresh(DWORD what) {
  for (IPendrelRecordDrawer* drawer : m_drawers) drawer->Refresh(what);
}

void ChildPaneBase::PrepareBackground(DWORD) {
  if (m_owner->IsRunningOnline()) m_owner->OnLaneInvalidated(rect, false);
  for (IPendrelRecordDrawer* drawer : m_drawers) drawer->PrepareBackground(m_owner->DrawerServices());
}

void ChildPaneBase::SetChannel(DWORD record, bool moreData) {
  for (IPendrelRecordDrawer* drawer : m_drawers)
    drawer->SetChannel(record, moreData ? VARIANT_TRUE : VARIANT_FALSE);
}

void ChildPaneBase::Invalidate(DWORD a, DWORD b) {
  for (IPendrelRecordDrawer* drawer : m_drawers) drawer->Invalidate(a, b);
}

HRESULT ChildPaneBase::GetItem(DWORD, DWORD, IUnknown** item) {
  if (item) *item = nullptr;
  return S_FALSE;
}

HRESULT ChildPaneBase::GetSecondItem(DWORD a, DWORD b, IUnknown** item) {
  return ChildPaneBase::GetItem(a, b, item);
}

bool ChildPaneBase::HitTest(const POINT& point) const {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
         point.y < rect.bottom;
}

void ChildPaneBase::DrawLayers(HDC dc, const DrawSpan& span, DWORD layerSet, DWORD flags) {
  if (Height() <= 0 || !VisibleIn(dc, rect)) return;
  layerSet &= 0xFF;
  if (!layerSet) return;
  const int lowest = std::countr_zero(layerSet);
  const int highest = 31 - std::countl_zero(layerSet);
  for (int index = lowest; index <= highest; ++index) DrawLayer(dc, index, span, flags);
}

void ChildPaneBase::DrawLayer(HDC dc, int index, const DrawSpan& span, DWORD flags) {
  Layer& layer = m_layers[std::size_t(index)];
  if (!layer.HasDrawers() || layer.firstDrawer < 0) {
    layer.MarkClean();
    return;
  }
  if (layer.IsBuffered() && (!(layer.flags & kLayerDirty) || IsRectEmpty(&layer.dirty))) return;
  HDC target = dc;
  if (layer.IsBuffered() && layer.image) {
    target = layer.image->Dc();
    if ((layer.flags & kLayerWhiteTransparent) && !(flags & kDrawSkipWhiteFill)) {
      const HBRUSH white = CreateSolidBrush(kWhite);
      RECT fill = {LONG(span.leftColumn), rect.top,
                   LONG(span.leftColumn + (span.end - span.first)), rect.bottom};
      FillRect(target, &fill, white);
      DeleteObject(white);
    }
  }
  for (LONG i = layer.firstDrawer; i < layer.endDrawer; ++i) m_drawers[std::size_t(i)]->Draw(target, &span, flags);
  layer.flags |= kLayerDrawn;
  if (!layer.IsBuffered()) return;
  if (index == 0) {
    // The composite itself: nothing to compose.
    layer.MarkClean();
    return;
  }
  try {
    ComposeLayer(index);
    layer.MarkClean();
  } catch (const XQuor& failure) {
    // The window must still paint: the layer stays dirty and is composed at the next paint.
    const std::u16string text = u"Layer composition failed: " +
                                std::u16string(failure.GetMessage().c_str()) + u"\n";
    OutputDebugStringW(text.c_str());
  }
}

void ChildPaneBase::ComposeLayer(int index) {
  Layer& layer = m_layers[std::size_t(index)];
  const Layer& composite = m_layers[0];
  RECT span = layer.dirty;
  if (IsRectEmpty(&span)) return;
  const HDC to = composite.image ? composite.image->Dc() : nullptr;
  const HDC from = layer.image ? layer.image->Dc() : nullptr;
  const int width = span.right - span.left;
  const int height = span.bottom - span.top;
  if (layer.flags & kLayerWhiteTransparent) {
    if (!TransparentBlt(to, span.left, span.top, width, height, from, span.left, span.top, width,
                        height, kWhite)) {
      const DWORD error = GetLastError();
      throw XQuor(HRESULT_FROM_WIN32(error ? error : ERROR_INVALID_HANDLE));
    }
  } else if (layer.alpha == 255) {
    BitBlt(to, span.left, span.top, width, height, from, span.left, span.top, SRCCOPY);
  }
}

void ChildPaneBase::Paint(HDC dc, LONG markerX, bool marker) {
  const Layer& composite = m_layers[0];
  if ((composite.flags & kLayerDirty) && !IsRectEmpty(&composite.dirty)) return;
  if (!composite.image || Height() <= 0 || rect.right <= rect.left || !VisibleIn(dc, rect)) return;
  const int width = rect.right - rect.left;
  const int height = Height();
  const Layer& top = m_layers[kLayerCount - 1];
  bool blend = false;
  for (const Layer& layer : m_layers) {
    if ((layer.flags & kLayerBlended) && layer.alpha != 255 && layer.image) blend = true;
  }
  const HDC source = composite.image->Dc();
  if (marker) {
    const HPEN pen = CreatePen(PS_SOLID, 1, m_owner->ContrastColour(RGB(0, 0, 0)));
    const HGDIOBJ previous = SelectObject(source, pen);
    MoveToEx(source, markerX, rect.top, nullptr);
    LineTo(source, markerX, rect.top + height);
    SelectObject(source, previous);
    DeleteObject(pen);
  }
  if (!blend) {
    BitBlt(dc, rect.left, rect.top, width, height, source, rect.left, rect.top, SRCCOPY);
    return;
  }
  LayerImage working(rect);
  BitBlt(working.Dc(), rect.left, rect.top, width, height, source, rect.left, rect.top, SRCCOPY);
  if (top.image && top.image->Width() > 0 && top.image->Height() > 0 && top.alpha < 255) {
    const BLENDFUNCTION blendFunction = {AC_SRC_OVER, 0, BYTE(top.alpha), 0};
    AlphaBlend(working.Dc(), rect.left, rect.top, width, height, top.image->Dc(), rect.left,
               rect.top, width, height, blendFunction);
  }
  BitBlt(dc, rect.left, rect.top, width, height, working.Dc(), rect.left, rect.top, SRCCOPY);
}

void ChildPaneBase::ShiftLayers(LONG dx, bool allowCopy) {
  const int width = rect.right - rect.left;
  const int height = Height();
  const auto move = [&](RECT& r) {
    r.left += dx;
    r.right += dx;
    if (dx < 0) {
      r.left = std::max(r.left, rect.left);
      r.right = std::max(r.right, rect.left);
    } else {
      r.left = std::min(r.left, rect.right);
      r.right = std::min(r.right, rect.right);
    }
  };
  for (Layer& layer : m_layers) {
    if (!layer.HasDrawers()) continue;
    if (allowCopy && layer.alpha == 255 && layer.image) {
      const HDC dc = layer.image->Dc();
      POINT origin = {};
      SetWindowOrgEx(dc, 0, 0, &origin);
      if (dx < 0) {
        BitBlt(dc, 0, 0, width + dx, height, dc, -dx, 0, SRCCOPY);
      } else if (dx > 0) {
        BitBlt(dc, dx, 0, width - dx, height, dc, 0, 0, SRCCOPY);
      }
      SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
    }
    if (!IsRectEmpty(&layer.dirty)) move(layer.dirty);
    if (layer.alpha != 255 && layer.movingRect) move(*layer.movingRect);
    // A shift wider than the band uncovers the whole band, no more.
    const RECT uncovered = dx < 0
                               ? RECT{std::max(rect.right + dx, rect.left), rect.top, rect.right, rect.bottom}
                               : RECT{rect.left, rect.top, std::min(rect.left + dx, rect.right), rect.bottom};
    if (uncovered.left < uncovered.right) layer.WidenDirty(uncovered.left, uncovered.right, rect);
    if (layer.IsBuffered()) layer.MarkDirty();
  }
}

void ChildPaneBase::OnDataAdded(LONGLONG start, LONGLONG count, LONGLONG* end) {
  LONGLONG first = start + count;
  const LONGLONG viewEnd = m_owner->DataViewEnd();
  for (IPendrelRecordDrawer* drawer : m_drawers) {
    LONGLONG reach = 0;
    if (drawer->GetDataRange(start, count, &reach) != S_OK) continue;
    if (end && reach > *end) *end = reach;
    if (reach < first) {
      first = reach;
      if (reach < viewEnd) {
        DWORD flags = 0;
        LONG left = 0, right = 0;
        drawer->GetCapabilities(0, &flags, &left, &right, 0);
        first = std::max(first, viewEnd - left);
      }
    }
  }
  const LONG x = LONG(m_owner->PaneWidth() - m_owner->ScrollPosition() + first - m_owner->BorderWidth());
  if (x < rect.right) InvalidateSpan(x, rect.right, 2, 4, true);
  if (m_owner->FollowsNewData() && count != 0) {
    ScrollBand(LONG(count), x);
  } else if (m_owner->AllowsBuffering()) {
    m_owner->OnLaneInvalidated(rect, false);
  }
}

void ChildPaneBase::ScrollBand(LONG count, LONG x) {
  if (m_owner->AllowsBuffering()) {
    if (x > rect.left) {
      ShiftLayers(-count, true);
      m_owner->FlushPendingUpdates();
    } else {
      MarkAllLayersDirty();
    }
    m_owner->OnLaneInvalidated(rect, false);
    return;
  }
  if (x <= rect.left) {
    m_owner->OnLaneInvalidated(rect, false);
  } else if (count != 0) {
    m_owner->ScrollWindowContents(-count, rect, rect);
    const RECT strip = {x, rect.top, rect.right, rect.bottom};
    m_owner->OnLaneInvalidated(strip, false);
  }
}

}  // namespace PendrelDraw
