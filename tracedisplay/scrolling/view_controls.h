// The controls a data pane drives below its traces: the scroll bar and the zoom control. They
// keep no state of their own that the pane relies on; the window that owns the pane makes them.
#pragma once

#include "core/quor_rational.h"
#include "platform/win32/window_messages.h"

namespace PendrelDraw {

class ScrollBar {
 public:
  virtual ~ScrollBar() = default;
  virtual void SetScrollInfo(const SCROLLINFO& info, bool redraw) = 0;
  virtual void GetScrollInfo(SCROLLINFO& info) = 0;
  virtual void Enable(bool enabled) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void Refresh() = 0;
  virtual void Place(int x, int y, int width, int height) = 0;
};

class ZoomControl {
 public:
  virtual ~ZoomControl() = default;
  virtual void SetCompression(const QuorRational& ratio) = 0;
  virtual void SetFollowState(bool following) = 0;
  virtual int PreferredHeight() const = 0;
  virtual int Width() const = 0;
  virtual void Refresh() = 0;
  virtual void Place(int x, int y, int width, int height) = 0;
};

}  // namespace PendrelDraw
