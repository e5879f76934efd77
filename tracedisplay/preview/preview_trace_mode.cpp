// The trace control's modes on channel pane 0 of a preview: stacked, overlaid, or the source
// trace alone.
#include <cmath>

#include "tracedisplay/panes/unit_prefix.h"
#include "tracedisplay/preview/preview_data_pane.h"

namespace PendrelDraw {

namespace {

constexpr DWORD kShowSourceOnly = 0x1;
constexpr DWORD kShowAllTraces = 0x2;

}  // namespace

void PreviewDataPane::SetTraceMode(DWORD mode, DWORD argument) {
  ChannelPane* pane = ChannelPaneAt(0);
  if (mode == kTraceModeStack) {
    if (pane) StackTraces(*pane);
  } else if (mode == kTraceModeOverlay) {
    if (pane) AutoScaleAxes(*pane, true);
  } else if (mode == kTraceModeSourceOnly) {
    if (argument & kShowSourceOnly) {
      if (pane) AutoScaleAxes(*pane, false);
      NotifyTraceCallback(0);
      LayoutPanes();
    } else if (argument & kShowAllTraces) {
      NotifyTraceCallback(1);
      LayoutPanes();
    }
  }
}

void PreviewDataPane::AutoScaleAxes(ChannelPane& pane, bool second) {
  for (LONG axis = 1; axis <= (second ? 2 : 1); ++axis) {
    if (IPendrelAxisAdjuster* adjuster = pane.Adjuster(axis)) adjuster->AutoScale();
  }
}

void PreviewDataPane::StackTraces(ChannelPane& pane) {
  AutoScaleAxes(pane, true);
  for (LONG axis = 1; axis <= 2; ++axis) {
    double low = 0.0, high = 0.0;
    GetDrawerDataRange(0, axis, &low, &high);
    // Without data the drawer leaves the range inverted: nothing to stack.
    if (!(low <= high) || !std::isfinite(low) || !std::isfinite(high) || low == high) continue;
    // Trace 1 takes the upper half of its axis, trace 2 the lower half of its own.
    const double span = high - low;
    double range[2] = {low - span, high};
    if (axis == 2) range[0] = low, range[1] = high + span;
    // The drawer's range came in the axis's prefixed unit: back in the channel's, which the
    // pane shows in that unit again.
    const PendrelAxisUnit unit = pane.unit[axis - 1];
    if (PrefixScales(unit.index)) {
      range[0] *= unit.factor;
      range[1] *= unit.factor;
    }
    pane.SetScaleRange(axis, range);
  }
}

}  // namespace PendrelDraw
