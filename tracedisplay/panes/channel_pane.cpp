#include "tracedisplay/panes/channel_pane.h"

#include <cmath>
#include <limits>

#include "core/com_ptr.h"
#include "core/xquor.h"
#include "tracedisplay/panes/lane_scale.h"
#include "tracedisplay/panes/scale_factory_access.h"
#include "tracedisplay/panes/unit_prefix.h"

namespace PendrelDraw {

namespace {

constexpr DWORD kStoredVersion = 3;
constexpr DWORD kStyleMonochrome = 0x800000;
constexpr DWORD kStyleUnitMapping = 0x80000000;
constexpr DWORD kStyleNoAutoScaleWhileOpen = 0x08000000;

bool ValidAxis(LONG axis) { return axis == 1 || axis == 2; }

}  // namespace

ChannelPane::ChannelPane(LONG lane, ChannelPaneOwner& owner, DWORD axisFlags_, DWORD style_)
    : ChildPaneBase(lane, owner), m_channelOwner(owner) {
  axisFlags = axisFlags_;
  style = style_;
}

ChannelPane::ChannelPane(const ChannelPane& other)
    : ChildPaneBase(other), ChannelPaneInit(other), m_channelOwner(other.m_channelOwner) {
  for (int i = 0; i < 2; ++i) {
    if (other.m_adjuster[i]) other.m_adjuster[i]->Copy(0, &m_adjuster[i]);
  }
  m_range = Quor::QueryFace<IPendrelScaleRange>(m_adjuster[0]).Detach();
}

ChannelPane::~ChannelPane() { ReleaseScales(); }

void ChannelPane::ReleaseScales() {
  if (m_range) m_range->Release();
  m_range = nullptr;
  for (IPendrelAxisAdjuster*& adjuster : m_adjuster) {
    if (adjuster) {
      adjuster->SetObserver(nullptr);
      adjuster->Release();
    }
    adjuster = nullptr;
  }
}

IPendrelAxisAdjuster* ChannelPane::Adjuster(LONG axis) const {
  return ValidAxis(axis) ? m_adjuster[axis - 1] : nullptr;
}

void ChannelPane::Clone(ChannelPane** copy) const {
  if (!copy) return;
  *copy = new ChannelPane(*this);
  (*copy)->AddRef();
}

void ChannelPane::CreateScales(LONG channel_, LONG laneWord_) {
  channel = channel_;
  laneWord = laneWord_;
  ReleaseScales();
  IPendrelScaleFactory* factory = GetScaleFactory();
  if (!factory) return;
  const bool monochrome = Owner().IsMonochromeMode();
  const LONG offset = (style & kStyleTallScales) ? -2 : 0;
  for (LONG axis = 1; axis <= 2; ++axis) {
    if (!(axisFlags & (axis == 1 ? kAxis1Wanted : kAxis2Wanted))) continue;
    DWORD flags = style;
    if (monochrome) flags = (flags & ~DWORD(0x10)) | 0x8;
    flags = axis == 1 ? flags & ~DWORD(0x2) : flags | 0x2;
    if (monochrome) {
      factory->NoteMonochromeAxis(offset, offset, flags);
    } else {
      factory->CreateAdjuster(channel, offset, offset, flags, axis, &m_adjuster[axis - 1]);
    }
  }
  m_range = Quor::QueryFace<IPendrelScaleRange>(m_adjuster[0]).Detach();
}

void ChannelPane::AttachScales() {
  for (IPendrelAxisAdjuster* adjuster : m_adjuster) {
    if (adjuster) adjuster->SetObserver(this);
  }
}

HRESULT ChannelPane::SetAxisUnitPrefix(LONG axis, LONG index) {
  IPendrelAxisAdjuster* scale = Adjuster(axis);
  if (!scale) return E_FAIL;
  unit[axis - 1] = AxisUnitOfPrefix(index);
  HRESULT result = scale->SetUnit(&unit[axis - 1]);
  if (SUCCEEDED(result)) result = scale->SetUnitName(u"wib");
  Owner().OnLaneInvalidated(rect, false);
  return result;
}

void ChannelPane::ScaleByPrefix(LONG axis, double* range) const {
  const PendrelAxisUnit& u = unit[axis - 1];
  if (!PrefixScales(u.index)) return;
  range[0] *= u.factor;
  range[1] *= u.factor;
}

bool ChannelPane::ApplyAxisRange(LONG axis, const double* range, bool toAdjuster, bool force) {
  if (!ValidAxis(axis) || !range || range[0] == range[1]) return false;
  double scaled[2] = {range[0], range[1]};
  ScaleByPrefix(axis, scaled);
  IPendrelAxisAdjuster* scale = Adjuster(axis);
  if (!scale) return false;
  HRESULT last = S_FALSE;
  bool called = false;
  if (toAdjuster) {
    last = scale->SetRange(scaled);
    called = true;
  }
  const DWORD bit = DWORD(1) << (axis - 1);
  if (force || (pendingRange & bit)) {
    last = scale->SetRange(scaled);
    called = true;
    pendingRange &= ~bit;
  }
  return called && SUCCEEDED(last);
}

HRESULT ChannelPane::SetScaleRange(LONG axis, const double* range) {
  IPendrelAxisAdjuster* scale = Adjuster(axis);
  if (!range || range[0] == range[1] || !scale) return E_FAIL;
  double scaled[2] = {range[0], range[1]};
  ScaleByPrefix(axis, scaled);
  const HRESULT result = scale->SetRange(scaled);
  pendingRange &= ~(DWORD(1) << (axis - 1));
  return SUCCEEDED(result) ? S_OK : E_FAIL;
}

void ChannelPane::SetLayout(DWORD id, const LONG* pair, const RECT& band, LONG leftWidth,
                            LONG rightWidth, LONG gap) {
  ChildPaneBase::SetLayout(id, pair, band, leftWidth, rightWidth, gap);
  for (IPendrelRecordDrawer* drawer : Drawers()) drawer->SetExtent(paneId, &rect);
  const LONG px = layoutPair[0];
  const LONG py = layoutPair[1];
  const LONG top = rect.top + py;
  const LONG bottom = top + Height();
  if (m_adjuster[0] && !(axisFlags & kAxis1OutOfLayout)) {
    RECT scale = {px - leftWidth, top, px, bottom};
    if (style & kStyleTallScales) InflateRect(&scale, 0, 2);
    m_adjuster[0]->SetScaleRect(&scale);
  }
  if (m_adjuster[1]) {
    const LONG left = px + (rect.right - rect.left) + 2 * gap;
    const RECT scale = {left, top, left + rightWidth, bottom};
    m_adjuster[1]->SetScaleRect(&scale);
  }
  // The drawers' rows follow the band's height.
  if (Height() != m_scaledHeight) {
    m_scaledHeight = Height();
    ScaleFromAxes(Drawers());
  }
}

HRESULT ChannelPane::ScaleDrawer(IPendrelRecordDrawer& drawer, LONG axis, const double* range,
                                 IUnknown* source) const {
  if (!ValidAxis(axis) || !range) return S_FALSE;
  // The axis shows its values in its prefixed unit; the drawers draw them in the channel's.
  double values[2] = {range[0], range[1]};
  const PendrelAxisUnit& u = unit[axis - 1];
  if (PrefixScales(u.index) && u.factor != 0.0) {
    values[0] /= u.factor;
    values[1] /= u.factor;
  }
  LaneScale scale;
  if (!LaneScaleOfRange(std::fmin(values[0], values[1]), std::fmax(values[0], values[1]), Height(),
                        &scale)) {
    return S_FALSE;
  }
  const double gainOffset[2] = {scale.gain, scale.offset};
  return drawer.SetTimeRange(axis, 0, gainOffset, source);
}

IUnknown* ChannelPane::LaneSource(LONG axis) const {
  IUnknown* source = nullptr;
  Owner().DrawerServices()->GetPaneSource(Lane(), axis, &source);
  return source;
}

void ChannelPane::ScaleFromAxes(const std::vector<IPendrelRecordDrawer*>& drawers) const {
  for (LONG axis = 1; axis <= 2; ++axis) {
    double range[2] = {};
    IPendrelAxisAdjuster* scale = Adjuster(axis);
    if (!scale || FAILED(scale->GetRange(range))) continue;
    Quor::ComPtr<IUnknown> source;
    source.Attach(LaneSource(axis));
    for (IPendrelRecordDrawer* drawer : drawers) ScaleDrawer(*drawer, axis, range, source.Get());
  }
}

void ChannelPane::OnDrawerAdded(IPendrelRecordDrawer& drawer) { ScaleFromAxes({&drawer}); }

void ChannelPane::Refresh(DWORD what) {
  for (LONG axis = 1; axis <= 2; ++axis) {
    double range[2] = {};
    if (IPendrelAxisAdjuster* scale = Adjuster(axis); scale && SUCCEEDED(scale->GetRange(range))) {
      OnScaleChanged(axis, range[0], range[1]);
    }
  }
  ChildPaneBase::Refresh(what);
}

void ChannelPane::LoadState(Quor::BinIStream& stream) {
  const DWORD version = stream.ReadUInt32();
  if (version > kStoredVersion) throw XQuor(kXQuorNewerVersion);
  if (version != 2) return;
  // Version 2 kept each axis's range; the scales keep their own now, so they are skipped.
  for (int axis = 0; axis < 2; ++axis) {
    BYTE present = 0;
    stream.ReadUInt8(&present);
    if (present) {
      double ignored = 0.0;
      stream.ReadDouble(&ignored);
      stream.ReadDouble(&ignored);
    }
  }
}

void ChannelPane::SaveState(Quor::BinOStream& stream) { stream.WriteInt32(LONG(kStoredVersion)); }

HRESULT ChannelPane::GetItem(DWORD, DWORD, IUnknown** item) {
  if (!item) return E_POINTER;
  *item = m_adjuster[0];
  if (*item) (*item)->AddRef();
  return *item ? S_OK : S_FALSE;
}

HRESULT ChannelPane::GetSecondItem(DWORD, DWORD, IUnknown** item) {
  if (!item) return E_POINTER;
  *item = m_adjuster[1];
  if (*item) (*item)->AddRef();
  return *item ? S_OK : S_FALSE;
}

HRESULT ChannelPane::GetChannelTitle(Quor::String& title) {
  title = Quor::String();
  const Quor::ComPtr<IPendrelTraceChannelInfo> info =
      Quor::QueryFace<IPendrelTraceChannelInfo>(m_channelOwner.DataView());
  if (!info) return E_FAIL;
  IQuorString* text = nullptr;
  const HRESULT result = info->GetChannelTitle(m_channelOwner.ChannelOfLane(Lane()), &text);
  if (text) {
    title = Quor::String(text);
    text->Release();
  }
  return result;
}

HRESULT ChannelPane::PostScaleMessage(LONG, LONG value) {
  TarnMessageHandler* handler = m_channelOwner.MessageHandler();
  if (!handler) return E_FAIL;
  Quor::ComPtr<IMessageHandler> target;
  target.Attach(handler->GetSendTarget());
  if (!target) return E_FAIL;
  const ScaleMessageBlock block = {Lane(), value};
  return handler->CreateAndSend(target.Get(), {kScaleMessage, 0, &block, sizeof block});
}

std::u16string ChannelPane::AxisUnitText(LONG axis, LONG record, double* range) {
  const bool mapped = fixedUnits == 0 && (m_channelOwner.StyleFlags() & kStyleUnitMapping);
  std::u16string found;
  for (IPendrelRecordDrawer* drawer : Drawers()) {
    IQuorString* text = nullptr;
    VARIANT_BOOL flag = VARIANT_FALSE;
    double mapping[2] = {1.0, 0.0};
    double dataRange[2] = {std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()};
    HRESULT result = S_FALSE;
    const Quor::ComPtr<IPendrelUnitMapping> unitMapping =
        mapped ? Quor::QueryFace<IPendrelUnitMapping>(drawer) : Quor::ComPtr<IPendrelUnitMapping>();
    if (unitMapping) {
      result = unitMapping->GetUnitMapping(fixedUnits, axis, record, &text, &flag, mapping, dataRange);
    } else {
      result = drawer->GetValueAt(axis, record, &text, &flag);
    }
    if (flag) hasUnits[axis - 1] = true;
    if (text) {
      const std::u16string value = Quor::String(text).c_str();
      text->Release();
      if (result == S_OK && found.empty() && !value.empty()) {
        found = value;
        range[0] = dataRange[0];
        range[1] = dataRange[1];
        drawer->GetPreferredSize(positionPair[axis - 1]);
      }
    }
  }
  return found;
}

void ChannelPane::UpdateAxisUnits(LONG record) {
  for (LONG axis = 1; axis <= 2; ++axis) {
    double range[2] = {std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()};
    std::u16string text = AxisUnitText(axis, record, range);
    if (text.empty()) text = u" ";
    const PendrelAxisUnit& u = unit[axis - 1];
    if (autoScale[axis - 1] && PrefixScales(u.index) && u.letter) text.insert(text.begin(), u.letter);
    IPendrelAxisAdjuster* scale = Adjuster(axis);
    if (!scale || rangeState >= 0) continue;
    scale->SetUnitName(text.c_str());
    if (range[0] < range[1]) {
      scale->SetRange(range);
      if (m_range && axis == 1) m_range->SetRangeAndUnits(range, fixedUnits);
    }
    if (axis != 1 || !(axisFlags & kAxis1KeepsAutoScaleState)) {
      scale->SetAutoScaling(autoScale[axis - 1] ? VARIANT_TRUE : VARIANT_FALSE);
    }
    const bool openEnd =
        (m_channelOwner.StyleFlags() & kStyleNoAutoScaleWhileOpen) && record == 0x7FFFFFFE;
    scale->SetMayAutoScaleNow(autoScale[axis - 1] && !openEnd ? VARIANT_TRUE : VARIANT_FALSE);
  }
}

HRESULT ChannelPane::OnDragStart(LONG, LONG) {
  m_channelOwner.SetReadyFlag(true);
  return S_OK;
}

HRESULT ChannelPane::OnDragEnd(LONG axis, LONG value) {
  m_channelOwner.SetReadyFlag(false);
  return m_channelOwner.NotifyPaneAction(Lane(), axis, value, Adjuster(axis));
}

HRESULT ChannelPane::OnScaleChanged(LONG axis, double first, double second) {
  std::lock_guard lock(m_channelOwner.PaneLock());
  Quor::ComPtr<IUnknown> source;
  source.Attach(LaneSource(axis));
  const double range[2] = {first, second};
  bool accepted = false;
  for (IPendrelRecordDrawer* drawer : Drawers()) {
    if (ScaleDrawer(*drawer, axis, range, source.Get()) == S_OK) accepted = true;
  }
  if (accepted) {
    MarkAllLayersDirty();
    Owner().FlushPendingUpdates();
    Owner().OnLaneInvalidated(rect, false);
  }
  m_channelOwner.OnLaneScaleChanged(Lane(), axis);
  return S_OK;
}

HRESULT ChannelPane::OnAutoScaleRequest(LONG axis, LONG argument) {
  m_channelOwner.RequestAutoScale(m_channelOwner.ChannelOfLane(Lane()), argument);
  if (IPendrelAxisAdjuster* adjuster = Adjuster(axis)) adjuster->AutoScale();
  return S_OK;
}

HRESULT ChannelPane::GetAxisDataRange(LONG axis, double* range, VARIANT_BOOL* identityUnits) {
  if (!range) return E_POINTER;
  LONGLONG first = 0, end = 0;
  m_channelOwner.VisiblePixels(&first, &end);
  bool found = false;
  for (IPendrelRecordDrawer* drawer : Drawers()) {
    const Quor::ComPtr<IPendrelUnitMapping> mapping = Quor::QueryFace<IPendrelUnitMapping>(drawer);
    if (!mapping) continue;
    if (fixedUnits == 0 && identityUnits) {
      double factorOffset[2] = {1.0, 0.0};
      double ignored[2] = {};
      IQuorString* text = nullptr;
      VARIANT_BOOL flag = VARIANT_FALSE;
      mapping->GetUnitMapping(fixedUnits, axis, 0, &text, &flag, factorOffset, ignored);
      if (text) text->Release();
      if (factorOffset[0] != 1.0 || factorOffset[1] != 0.0) *identityUnits = VARIANT_FALSE;
    }
    double drawerRange[2] = {};
    if (mapping->GetAxisDataRange(axis, first, end, drawerRange) == S_OK) {
      range[0] = found ? std::fmin(range[0], drawerRange[0]) : drawerRange[0];
      range[1] = found ? std::fmax(range[1], drawerRange[1]) : drawerRange[1];
      found = true;
    }
  }
  if (fixedUnits != 0 && identityUnits) *identityUnits = VARIANT_FALSE;
  // The scale that asks works in the axis's prefixed unit.
  if (found) ScaleByPrefix(axis, range);
  return found ? S_OK : 1;
}

}  // namespace PendrelDraw
