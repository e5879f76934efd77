// What a channel pane needs of its data pane beyond what every band needs: the pane lock, the
// channel of a lane, the data view, notices to the pane's observers and interactive objects,
// and the window-bound flag set while the user drags a scale.
#pragma once

#include <mutex>

#include "hostframework/message_handler.h"
#include "platform/pendrel/trace_data.h"
#include "tracedisplay/panes/child_pane_owner.h"

namespace PendrelDraw {

class ChannelPaneOwner : public ChildPaneOwner {
 public:
  virtual std::recursive_mutex& PaneLock() = 0;
  virtual void SetReadyFlag(bool bound) = 0;
  virtual HRESULT NotifyPaneAction(LONG pane, LONG a, LONG b, IUnknown* c2) = 0;
  // Calls the owner's auto-scale handler, or tells the observers when there is none.
  virtual void RequestAutoScale(LONG channel, LONG argument) = 0;
  // The interactive objects hear that a lane's scale changed.
  virtual void OnLaneScaleChanged(LONG lane, LONG axis) = 0;
  virtual LONG ChannelOfLane(LONG lane) = 0;
  virtual DWORD StyleFlags() const = 0;
  virtual IPendrelTraceDataView* DataView() = 0;
  // The visible data pixels [first, end); false without a data view.
  virtual bool VisiblePixels(LONGLONG* first, LONGLONG* end) = 0;
  // The handler through which the pane sends host messages (it is their sender and its tree
  // routes them); null when the pane takes no part in the host's message routing.
  virtual TarnMessageHandler* MessageHandler() = 0;

 protected:
  ~ChannelPaneOwner() = default;
};

}  // namespace PendrelDraw
