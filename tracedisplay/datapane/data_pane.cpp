#include "tracedisplay/datapane/data_pane.h"

#include <algorithm>

#include "core/com_ptr.h"
#include "core/xquor.h"
#include "platform/win32/clock.h"
#include "platform/win32/window.h"
#include "tracedisplay/panes/notice_ids.h"

namespace PendrelDraw {

namespace {

constexpr DWORD kDontFollowNewData = 0x08000000;
constexpr DWORD kDisplayStateVersion = 2;
constexpr DWORD kTopPane = 0x80000000;

// Replaces a held interface, keeping one reference on the new one.
template <typename Face>
void Hold(Face*& slot, Face* value) {
  if (value) value->AddRef();
  if (slot) slot->Release();
  slot = value;
}

}  // namespace

DataPane::DataPane(IPendrelTraceDataSource* source)
    : m_refreshSets{Quor::BitsetRep::CreateEmpty(), Quor::BitsetRep::CreateEmpty()},
      m_lastWheelTick(GetTickCount()) {
  m_follow = !(m_channelFlags & kDontFollowNewData);
  m_channelPanes.reserve(8);
  m_timeScale = new TimeScale(*this);
  m_timeScale->AddRef();
  if (source) SetSource(0, source, nullptr);
}

DataPane::~DataPane() {
  if (m_source) m_source->UnsubscribeOnline(this);
  ReleaseChannelPanes(0);
  m_timeScale->Release();
  for (DrawerSources& sources : m_drawerSources) ReleaseDrawerSources(sources);
  for (Quor::BitsetRep* set : m_refreshSets) set->Release();
  if (m_dataView) m_dataView->Release();
  if (m_source) m_source->Release();
}

HRESULT DataPane::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid || iid == IOnlineDataSink::iid) {
    *object = static_cast<IOnlineDataSink*>(this);
  } else if (iid == ISubject::iid) {
    *object = static_cast<ISubject*>(this);
  } else if (iid == IDrawerDataPane::iid) {
    *object = static_cast<IDrawerDataPane*>(this);
  } else {
    return E_NOINTERFACE;
  }
  return S_OK;
}

HRESULT DataPane::OnSamplingStarting(DWORD, VARIANT_BOOL* proceed) {
  if (proceed) *proceed = VARIANT_TRUE;
  return S_OK;
}

HRESULT DataPane::GetUpdateInterval(DWORD* interval) {
  if (!interval) return E_POINTER;
  *interval = 100;
  return S_OK;
}

HRESULT DataPane::GetDataInterest(DWORD* interest) {
  if (!interest) return E_POINTER;
  *interest = 100;
  return S_OK;
}

void DataPane::AttachWindow(void* owner, HWND window) {
  if (m_channelPanes.empty()) AppendChannelPane(0);
  m_owner = owner;
  m_window = window;
  if (!(m_styleFlags & (kPaneMonochrome | kPaneNoControls))) {
    m_scrollBar = CreateScrollBar();
    m_zoomControl = CreateZoomControl(m_zoomArgument);
  }
  SetFollowByUser(m_follow, false);
  if (m_styleFlags & kPaneNoControls) m_timeScale->Hide();
  for (LONG i = 0; i < GetLaneCount(); ++i) OnChannelPaneAdded(i);
  if (m_zoomControl) m_zoomControl->SetCompression(m_compression);
  BroadcastEvent(PaneEvent::DataView, reinterpret_cast<LONG_PTR>(m_dataView));
  BroadcastEvent(PaneEvent::WindowAttached);
}

void DataPane::DetachWindow() {
  m_owner = nullptr;
  m_window = nullptr;
}

void DataPane::SetSource(DWORD flags, IPendrelTraceDataSource* source, const LONGLONG* start) {
  if (m_source) m_source->UnsubscribeOnline(this);
  if (source) source->AddRef();
  if (m_source) m_source->Release();
  m_source = source;
  if (!source) m_scrollPosition = 0;
  const bool reuse = flags & kPaneReuseDataView;
  if (source && !reuse) {
    if (m_dataView) m_dataView->Release();
    m_dataView = nullptr;
    source->CreateDataView(&m_dataView);
    if (m_dataView) m_dataView->SetCompression(m_compression.Numerator(), m_compression.Denominator());
    m_scrollPosition = start ? *start : 0;
    source->SubscribeOnline(this, 0x80000000);
    m_timeScale->OnSourceChanged(0, m_dataView);
  }
  BroadcastEvent(PaneEvent::DataView, reinterpret_cast<LONG_PTR>(m_dataView));
  if (!reuse) Invalidate(kRedrawEverything | 0x3);
}

ChannelPane* DataPane::CreateChannelPane(LONG index) {
  auto* pane = new ChannelPane(index, *this, m_channelFlags, m_channelPaneStyle);
  pane->paneValue = m_paneValue;
  return pane;
}

void DataPane::AppendChannelPane(LONG index) {
  ChannelPane* pane = CreateChannelPane(index);
  pane->AddRef();
  m_channelPanes.push_back(pane);
  m_drawerSources.emplace_back();
}

ChannelPane* DataPane::ChannelPaneAt(LONG index) const {
  return index >= 0 && index < GetLaneCount() ? m_channelPanes[std::size_t(index)] : nullptr;
}

void DataPane::OnChannelPaneAdded(LONG index) {
  BroadcastEvent(PaneEvent::LaneAdded, index);
  for (LONG kind = 1; kind <= 2; ++kind) {
    IUnknown* source = nullptr;
    GetPaneSource(index, kind, &source);
    if (const auto adjuster = Quor::QueryFace<IPendrelAxisAdjuster>(source)) {
      adjuster->SetObserver(m_channelPanes[std::size_t(index)]);
    }
    if (source) source->Release();
  }
}

void DataPane::OnChannelPaneRemoved(LONG index) { BroadcastEvent(PaneEvent::LaneRemoved, index); }

void DataPane::ReleaseChannelPanes(LONG from) {
  for (LONG i = GetLaneCount() - 1; i >= from; --i) {
    OnChannelPaneRemoved(i);
    m_channelPanes.back()->Release();
    m_channelPanes.pop_back();
    ReleaseDrawerSources(m_drawerSources.back());
    m_drawerSources.pop_back();
  }
}

void DataPane::ReleaseDrawerSources(DrawerSources& sources) {
  for (int kind = 0; kind < 2; ++kind) {
    Hold<IUnknown>(sources.kind[kind], nullptr);
    Hold<IPendrelRecordDrawer>(sources.drawer[kind], nullptr);
  }
}

void DataPane::SetLaneCount(LONG count) {
  count = std::max<LONG>(count, 0);
  if (count == GetLaneCount()) return;
  if (count < GetLaneCount()) {
    ReleaseChannelPanes(count);
  } else {
    for (LONG index = GetLaneCount(); index < count; ++index) {
      AppendChannelPane(index);
      if (m_window || m_owner) OnChannelPaneAdded(index);
    }
  }
  LayoutPanes();
  BroadcastEvent(PaneEvent::LaneCount, count);
  m_invalidationMask |= kRedrawEverything;
}

void DataPane::SetPaneDrawerSource(LONG pane, LONG kind, IUnknown* source,
                                   IPendrelRecordDrawer* drawer) {
  if (pane < 0 || pane >= GetLaneCount() || (kind != 1 && kind != 2)) return;
  DrawerSources& sources = m_drawerSources[std::size_t(pane)];
  Hold(sources.kind[kind - 1], source);
  Hold(sources.drawer[kind - 1], drawer);
}

void DataPane::SetMinimumLabelWidths(LONG left, LONG right) {
  m_minimumLeftWidth = left;
  m_minimumRightWidth = right;
}

void DataPane::SetPaneRect(const RECT& rect) {
  m_paneRect = rect;
  const int zoomHeight = m_zoomControl ? m_zoomControl->PreferredHeight() : 0;
  if (m_channelPanes.empty()) return;
  LONG left = 0, right = 0;
  for (ChannelPane* pane : m_channelPanes) {
    pane->MeasureMargins(false);
    left = std::max(left, pane->leftMargin ? pane->leftMargin + m_labelMargin : 0);
    right = std::max(right, pane->rightMargin);
  }
  m_leftLabelWidth = left;
  m_rightLabelWidth = right;
  const LONG width = (rect.right - rect.left) - std::max(right, m_minimumRightWidth) -
                     std::max(left, m_minimumLeftWidth);
  PlaceControls(rect.left + left, rect.top, std::max<LONG>(width, 0),
                (rect.bottom - rect.top) - zoomHeight, true);
}

void DataPane::LayoutPanes() {
  const LONG count = GetLaneCount();
  if (count == 0) return;
  if (LONG(m_laneTops.size()) == count && LONG(m_laneHeights.size()) == count) {
    OnRectsDragged(std::vector<LONG>(m_laneTops), std::vector<LONG>(m_laneHeights));
    return;
  }
  const LONG b = BorderWidth();
  const LONG g = LaneGap();
  const LONG s = m_timeScale->ScaleHeight() + 2 * g;
  const double h = double(m_paneHeight - 2 * g * count - s) / count;
  const LONG pair[2] = {0, 0};
  double y = g;
  LONG lastBottom = g;
  for (LONG i = 0; i < count; ++i) {
    const LONG top = LONG(y);
    const LONG bottom = i == count - 1 ? m_paneHeight - s - g : LONG(y + h + 0.5);
    const RECT rect = {b, top, b + DataWidth(), bottom};
    m_channelPanes[std::size_t(i)]->SetLayout(DWORD(i) | (i == 0 ? kTopPane : 0), pair, rect,
                                              m_leftLabelWidth, m_rightLabelWidth, b);
    lastBottom = bottom;
    y += LONG(h) + 2 * g;
  }
  // Below the last lane, one gap away, whatever the rounding of the lanes above.
  const RECT scale = {b, lastBottom + g, b + DataWidth(), m_paneHeight - g};
  m_timeScale->SetLayout(DWORD(-1), pair, scale, 0, 0, b);
}

void DataPane::OnRectsDragged(const std::vector<LONG>& tops, const std::vector<LONG>& heights) {
  std::lock_guard lock(m_lock);
  m_laneTops = tops;
  m_laneHeights = heights;
  const LONG count = GetLaneCount();
  const LONG g = LaneGap();
  const LONG dataRight = m_paneWidth - BorderWidth();
  const LONG pair[2] = {0, 0};
  bool topMarked = false;
  LONG lastBottom = g;
  for (LONG i = 0; i < count && std::size_t(i) < tops.size() && std::size_t(i) < heights.size(); ++i) {
    const LONG top = tops[std::size_t(i)];
    LONG bottom = LONG(top + heights[std::size_t(i)] + 0.5);
    if (i == count - 1) {
      bottom = heights[std::size_t(i)] == 0 ? top
                                            : m_paneHeight - (m_timeScale->ScaleHeight() + 2 * g) - 1;
    }
    const RECT rect = {1, top, dataRight, bottom};
    DWORD id = DWORD(i);
    if (!topMarked && bottom > top && dataRight > 1) {
      id |= kTopPane;
      topMarked = true;
    }
    m_channelPanes[std::size_t(i)]->SetLayout(id, pair, rect, m_leftLabelWidth, m_rightLabelWidth,
                                              BorderWidth());
    BroadcastEvent(PaneEvent::LaneRect, i, reinterpret_cast<LONG_PTR>(&rect));
    lastBottom = bottom;
  }
  const LONG scaleTop = lastBottom + (IsMonochromeMode() ? g / 2 : g);
  const RECT scale = {BorderWidth(), scaleTop, BorderWidth() + DataWidth(), m_paneHeight - g};
  m_timeScale->SetLayout(DWORD(-1), pair, scale, 0, 0, BorderWidth());
  m_invalidationMask |= kRedrawLayout;
  RequestRedraw(false);
}

LONG DataPane::HitTestPane(POINT point) const {
  const LONG b = BorderWidth();
  if (point.x < b || point.x >= m_paneWidth - b || point.y < 0 || point.y > m_paneHeight - 1) {
    return LONG(0x80000000);
  }
  if (m_timeScale->HitTest(point)) return -1;
  for (LONG i = 0; i < GetLaneCount(); ++i) {
    if (m_channelPanes[std::size_t(i)]->HitTest(point)) return i;
  }
  return LONG(0x80000000);
}

HRESULT DataPane::NotifyPaneAction(LONG pane, LONG a, LONG b, IUnknown* c2) {
  const LONG channel = ChannelOfLane(pane);
  if (m_callbacks.paneAction) {
    m_callbacks.paneAction(channel, a, b, c2);
    return S_OK;
  }
  const LONG_PTR parameters[2] = {a, b};
  return Notify(PaneActionNotice::Id(), channel, parameters);
}

void DataPane::RequestAutoScale(LONG channel, LONG argument) {
  if (m_callbacks.autoScale) {
    m_callbacks.autoScale(channel, argument);
    return;
  }
  const LONG_PTR parameters[2] = {channel, argument};
  Notify(AutoScaleRequestNotice::Id(), channel, parameters);
}

void DataPane::OnLaneScaleChanged(LONG lane, LONG axis) {
  Broadcast([&](IPendrelInteractiveObject* object) { object->OnScaleChanged(lane, axis); });
}

void DataPane::LoadDisplayState(Quor::BinIStream& stream) {
  const DWORD version = stream.ReadUInt32();
  if (version > kDisplayStateVersion) throw XQuor(kXQuorNewerVersion);
  if (version < kDisplayStateVersion) return;
  LoadObjects(stream, version);
  for (ChannelPane* pane : m_channelPanes) pane->LoadState(stream);
}

void DataPane::SaveDisplayState(Quor::BinOStream& stream) {
  stream.WriteInt32(LONG(kDisplayStateVersion));
  SaveObjects(stream);
  for (ChannelPane* pane : m_channelPanes) pane->SaveState(stream);
}

HRESULT DataPane::AddDrawerToPane(DWORD a, IPendrelRecordDrawer* drawer, LONG pane) {
  if (!drawer) return E_POINTER;
  if (pane != -1 && (pane < 0 || pane >= GetLaneCount())) return E_INVALIDARG;
  drawer->Attach(a, m_dataView);
  ChildPaneBase* target = pane == -1 ? static_cast<ChildPaneBase*>(m_timeScale)
                                     : m_channelPanes[std::size_t(pane)];
  const HRESULT result = target->AddDrawer(0x80000000, drawer, 255);
  if (FAILED(result)) return result;
  if (pane != -1) m_invalidationMask |= kRedrawEverything;
  // A drawer added while sampling learns where the data grows.
  if (m_dataPending) drawer->SetChannel(DWORD(m_currentOnlineRecord), m_moreData ? VARIANT_TRUE : VARIANT_FALSE);
  LONGLONG first = 0, end = 0;
  VisiblePixels(&first, &end);
  target->MarkLanesForRedraw(first, end);
  return S_OK;
}

void DataPane::OnLaneInvalidated(const RECT& rect, bool erase) {
  if (m_window) InvalidateRect(m_window, &rect, erase);
}

void DataPane::ScrollWindowContents(int, const RECT&, const RECT&) {}

LONGLONG DataPane::DataViewEnd() {
  LONGLONG end = 0;
  if (m_dataView) m_dataView->GetEndPosition(&end);
  return end;
}

double DataPane::ResolutionX(HDC dc) {
  double resolution = kScreenPixelsPerMillimetre;
  GetResolutionX(0, dc, &resolution);
  return resolution;
}

COLORREF DataPane::ContrastColour(COLORREF colour) {
  COLORREF contrast = colour;
  GetContrastColour(colour, &contrast);
  return contrast;
}

}  // namespace PendrelDraw
