// SimpleDataPane: a data pane in which every display lane shows the host channel of the same
// index; lanes beyond its channel panes show no channel. Owned by the window that holds it, as
// every data pane is.
#pragma once

#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/preview/pane_channel_policy.h"

namespace PendrelDraw {

class SimpleDataPane : public DataPane, public SimplePaneChannelAssoc<SimpleDataPane> {
 public:
  explicit SimpleDataPane(IPendrelTraceDataSource* source = nullptr) : DataPane(source) {}

  // The channel the bands and drawers of a lane read: kNoLane when the pane has no such lane.
  LONG ChannelOfLane(LONG lane) override { return LONG(ChannelOfLanePair(lane).index); }
};

}  // namespace PendrelDraw
