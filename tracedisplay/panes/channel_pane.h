// ChannelPane: the band of a data pane that shows one display lane: the child pane base with its
// drawers and layers, plus up to two vertical axes. Each axis has an adjuster, made by the host's
// scale factory, which is also the axis's scale; the pane carries a unit prefix per axis, keeps
// the axes' unit text in step with its drawers, and is the observer the scales call while the
// user drags them.
#pragma once

#include "core/quor_string.h"
#include "tracedisplay/panes/channel_pane_owner.h"
#include "tracedisplay/panes/child_pane_base.h"

namespace PendrelDraw {

// Axis flags of a channel pane.
inline constexpr DWORD kAxis1Wanted = 0x80000000;
inline constexpr DWORD kAxis2Wanted = 0x40000000;
inline constexpr DWORD kAxis1KeepsAutoScaleState = 0x20000000;
inline constexpr DWORD kAxis1OutOfLayout = 0x10000000;
// The host message a band sends about its scale: the lane and a value.
inline constexpr DWORD kScaleMessage = 0x800C008D;
struct ScaleMessageBlock {
  LONG lane;
  LONG value;
};

// Style bit: scales get 2 more pixels at top and bottom and an offset of -2, -2.
inline constexpr DWORD kStyleTallScales = 0x4000;

struct ChannelPaneInit {
  LONG channel = 0;
  LONG laneWord = 0;
  DWORD axisFlags;
  DWORD style;
  LONG fixedUnits = 0;
  LONG positionPair[2][2] = {{LONG(0x80000000), LONG(0xC0000000)},
                             {LONG(0x80000000), LONG(0xC0000000)}};
  LONG rangeState = LONG(0x80000000);
  PendrelAxisUnit unit[2] = {{u'?', 1.0, 0}, {u'?', 1.0, 0}};
  // Bit 0: axis 1's scale waits for a range; bit 1: axis 2's.
  DWORD pendingRange = 0;
  // The data pane's pane value when the channel pane was made.
  DWORD paneValue = 0;
  bool autoScale[2] = {};
  bool hasUnits[2] = {};
};

class ChannelPane final : public ChildPaneBase, public ChannelPaneInit {
 public:
  ChannelPane(LONG lane, ChannelPaneOwner& owner, DWORD axisFlags, DWORD style);
  ChannelPane(const ChannelPane& other);

  // IDragScaleObserver
  HRESULT OnDragStart(LONG a, LONG b) override;
  HRESULT OnDragEnd(LONG axis, LONG value) override;
  HRESULT OnScaleChanged(LONG axis, double first, double second) override;
  HRESULT OnAutoScaleRequest(LONG axis, LONG argument) override;
  HRESULT GetAxisDataRange(LONG axis, double* range, VARIANT_BOOL* identityUnits) override;

  void SetLayout(DWORD id, const LONG* pair, const RECT& rect, LONG leftWidth, LONG rightWidth,
                 LONG gap) override;
  void Refresh(DWORD what) override;
  // Reads a stored state: version 2's ranges are read and left unused; above 3 throws.
  void LoadState(Quor::BinIStream& stream) override;
  void SaveState(Quor::BinOStream& stream) override;
  HRESULT GetItem(DWORD a, DWORD b, IUnknown** item) override;
  HRESULT GetSecondItem(DWORD a, DWORD b, IUnknown** item) override;

  // A copy with one reference for the caller; nothing with a null pointer.
  void Clone(ChannelPane** copy) const;
  void CreateScales(LONG channel, LONG laneWord);
  void AttachScales();
  HRESULT SetAxisUnitPrefix(LONG axis, LONG index);
  bool ApplyAxisRange(LONG axis, const double* range, bool toAdjuster, bool force);
  HRESULT SetScaleRange(LONG axis, const double* range);
  HRESULT GetChannelTitle(Quor::String& title);
  void UpdateAxisUnits(LONG record);
  // Sends the host a scale message with the lane and `value`; E_FAIL when the data pane has no
  // message handler.
  HRESULT PostScaleMessage(LONG a, LONG value);

  LONG Lane() const { return colourSlot; }
  IPendrelAxisAdjuster* Adjuster(LONG axis) const;
  // Gives a drawer the scale that shows `range` (in the axis's prefixed units) over the band's
  // rows, with the lane's source; the drawer's answer, S_FALSE when the range shows nothing.
  // Every range an axis reports reaches the drawers through here.
  HRESULT ScaleDrawer(IPendrelRecordDrawer& drawer, LONG axis, const double* range,
                      IUnknown* source) const;

 protected:
  void OnDrawerAdded(IPendrelRecordDrawer& drawer) override;

 private:
  ~ChannelPane() override;
  void ReleaseScales();
  // The range scaled by the axis's prefix factor.
  void ScaleByPrefix(LONG axis, double* range) const;
  // The unit text of an axis from the drawers, with its data range.
  std::u16string AxisUnitText(LONG axis, LONG record, double* range);
  // Gives the drawers the scales of the axes' current ranges.
  void ScaleFromAxes(const std::vector<IPendrelRecordDrawer*>& drawers) const;
  IUnknown* LaneSource(LONG axis) const;

  ChannelPaneOwner& m_channelOwner;
  IPendrelAxisAdjuster* m_adjuster[2] = {};
  IPendrelScaleRange* m_range = nullptr;
  // The band height the drawers' scales were made for.
  LONG m_scaledHeight = -1;
};

}  // namespace PendrelDraw
