// A changed event or comment of the host: the pane draws again only the columns the event
// covers, in the lanes of its channel.
#include <algorithm>

#include "core/com_ptr.h"
#include "platform/pendrel/changed_event.h"
#include "tracedisplay/datapane/data_pane.h"

namespace PendrelDraw {

void DataPane::InvalidateChangedEvent(LONG record, LONG, LONG, IUnknown* event) {
  if (DataWidth() <= 0 || !m_dataView) return;
  const auto changed = Quor::QueryFace<IPendrelChangedEvent>(event);
  if (!changed) return;
  LONG channel = -1;
  changed->GetChannel(&channel);
  LONG pane = -2;  // every pane
  if (channel != -1) {
    pane = LaneOfChannel(channel);
    if (!ChannelPaneAt(pane)) return;
  }
  LONG start = 0, end = 0, width = 0;
  LONGLONG first = 0, last = 0;
  if (FAILED(changed->GetTickRange(&start, &end)) ||
      FAILED(m_dataView->PositionToPixel(record, start, &first)) ||
      FAILED(m_dataView->PositionToPixel(record, end, &last))) {
    return;
  }
  changed->GetMarkWidth(&width);
  LONGLONG visibleFrom = 0, visibleEnd = 0;
  VisiblePixels(&visibleFrom, &visibleEnd);
  // The event's last tick takes its whole pixel.
  if (last + 1 + width <= visibleFrom || first - width >= visibleEnd) return;
  const LONGLONG from = std::max(ClientXOf(first - width), LONGLONG(BorderWidth()));
  const LONGLONG to = std::min(ClientXOf(last + 1 + width), LONGLONG(m_paneWidth - BorderWidth()));
  std::lock_guard lock(m_lock);
  InvalidatePaneSpan(pane, LONG(from), LONG(to));
  OnLaneInvalidated({LONG(from), 0, LONG(to), m_paneHeight}, false);
}

LONG DataPane::LaneOfChannel(LONG channel) {
  for (LONG lane = 0; lane < GetLaneCount(); ++lane) {
    if (ChannelOfLane(lane) == channel) return lane;
  }
  return -1;
}

}  // namespace PendrelDraw
