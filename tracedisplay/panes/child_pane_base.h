// ChildPaneBase: a horizontal band of a data pane (a channel pane, or the time scale below
// them). It holds its record drawers sorted by id, sorts them into eight layers, keeps an
// off-screen image per buffered layer, and draws its dirty layers and composes them onto the
// window. It is not a window: the data pane places it, forwards painting and data to it, and is
// asked back for invalidation and scrolling. Reference counted; the data pane holds it.
#pragma once

#include <array>
#include <vector>

#include "core/bin_istream.h"
#include "core/bin_ostream.h"
#include "platform/pendrel/axis_scales.h"
#include "platform/win32/com_object.h"
#include "tracedisplay/drawers/record_drawer.h"
#include "tracedisplay/panes/child_pane_owner.h"
#include "tracedisplay/panes/layer.h"

namespace PendrelDraw {

// One of a band's eight drawing lanes: the value range and colour its drawers set, and the
// data pixels it still has to draw.
inline constexpr DWORD kLaneWholeRedraw = 0x40000000;
inline constexpr DWORD kLaneColourUnset = 0x20000000;
inline constexpr DWORD kLanePartialValid = 0x10000000;
struct LaneRecord {
  double range[2] = {};
  COLORREF colour = 0;
  DWORD flags = kLaneColourUnset;
  LONGLONG spanFrom = 0;
  LONGLONG spanTo = 0;
};

// The copyable part of a band.
struct ChildPaneBaseInit {
  DWORD paneId = 0;
  DWORD reserved = 0;
  LONG leftMargin = 0;
  LONG rightMargin = 0;
  DWORD spare[2] = {};
  LONG colourSlot;
  bool flag = false;
  LONG layoutPair[2] = {};
  RECT rect = {};
  RECT secondRect = {};
  bool dataChanged = false;
  bool stateChanged = false;
  bool marginsStale = true;
};

class ChildPaneBase : public SimpleUnknownImp1<IDragScaleObserver, 0>, public ChildPaneBaseInit {
 public:
  // IDragScaleObserver: bands without axes ignore their scales.
  HRESULT OnDragStart(LONG a, LONG b) override;
  HRESULT OnDragEnd(LONG axis, LONG value) override;
  HRESULT OnScaleChanged(LONG axis, double first, double second) override;
  HRESULT OnAutoScaleRequest(LONG axis, LONG argument) override;
  HRESULT GetAxisDataRange(LONG axis, double* range, VARIANT_BOOL* identityUnits) override;

  virtual void DrawFrame(HDC dc);
  virtual void SetLayout(DWORD id, const LONG* pair, const RECT& rect, LONG leftWidth,
                         LONG rightWidth, LONG gap);
  HRESULT UpdateFromChannel(IUnknown* settings, IUnknown* labels, LONG channel);
  // E_INVALIDARG, and nothing changes, for a drawer whose id lies past the last layer.
  HRESULT AddDrawer(DWORD flags, IPendrelRecordDrawer* drawer, LONG alpha);
  HRESULT RemoveDrawers(DWORD capabilityMask, LONG channelIndex, LONG dataKind);
  virtual void Refresh(DWORD what);
  void PrepareBackground(DWORD what);
  void SetChannel(DWORD record, bool moreData);
  void OnDataAdded(LONGLONG start, LONGLONG count, LONGLONG* end);
  void Invalidate(DWORD a, DWORD b);
  // Draws the layers of `layerSet` (bit n: layer n) that need it over the span.
  void DrawLayers(HDC dc, const DrawSpan& span, DWORD layerSet, DWORD flags);
  virtual void LoadState(Quor::BinIStream& stream) = 0;
  virtual void SaveState(Quor::BinOStream& stream) = 0;
  bool IsDirty() const { return dataChanged || stateChanged; }
  virtual HRESULT GetItem(DWORD a, DWORD b, IUnknown** item);
  virtual HRESULT GetSecondItem(DWORD a, DWORD b, IUnknown** item);
  // Composes the band onto the window DC, with a marker line when asked.
  virtual void Paint(HDC dc, LONG markerX, bool marker);
  bool HitTest(const POINT& point) const;

  // Dirty span bookkeeping (also used by the data pane's invalidation).
  void InvalidateSpan(LONG from, LONG to, int firstLayer, int endLayer, bool whole);
  // Shifts every layer's image and dirty span by dx pixels.
  void ShiftLayers(LONG dx, bool allowCopy);
  // Every layer dirty over the whole band.
  void MarkAllLayersDirty();
  // The widest left and right labels of the drawers (measured again when stale).
  void MeasureMargins(bool clearStale);
  // The band's horizontal extent widened by its margins.
  RECT VisibleSpan();

  // Every lane to be drawn again over [from, to) data pixels.
  void MarkLanesForRedraw(LONGLONG from, LONGLONG to);
  LaneRecord& LaneAt(int lane) { return m_lanes[std::size_t(lane)]; }

  const std::vector<IPendrelRecordDrawer*>& Drawers() const { return m_drawers; }
  const Layer& LayerAt(int index) const { return m_layers[std::size_t(index)]; }
  Layer& LayerAt(int index) { return m_layers[std::size_t(index)]; }
  LONG Height() const { return rect.bottom - rect.top; }
  ChildPaneOwner& Owner() const { return *m_owner; }

 protected:
  ChildPaneBase(LONG colourSlot, ChildPaneOwner& owner);
  // A copy of the record whose drawers are clones of the other band's.
  ChildPaneBase(const ChildPaneBase& other);
  ~ChildPaneBase() override;
  // A drawer has joined the band, its extent set.
  virtual void OnDrawerAdded(IPendrelRecordDrawer&) {}

 private:
  void SortDrawers();
  void PlaceLayers();
  void DrawLayer(HDC dc, int index, const DrawSpan& span, DWORD flags);
  // Copies a buffered layer into the composite over its dirty span; throws XQuor on failure.
  void ComposeLayer(int index);
  void ScrollBand(LONG count, LONG x);

  ChildPaneOwner* m_owner;
  std::vector<IPendrelRecordDrawer*> m_drawers;
  std::array<Layer, kLayerCount> m_layers;
  std::array<LaneRecord, kLayerCount> m_lanes;
  RECT m_composite = {};
};

}  // namespace PendrelDraw
