// What a band (child pane) needs of the data pane that stacks it: the drawers' services, the
// pane-wide drawing state, and the window operations the pane passes on. The data pane outlives
// its bands, which therefore hold it without a reference.
#pragma once

#include "platform/win32/geometry.h"
#include "tracedisplay/drawers/drawer_data_pane.h"

namespace PendrelDraw {

class ChildPaneOwner {
 public:
  virtual IDrawerDataPane* DrawerServices() = 0;
  // Bands may keep off-screen layers: buffered drawing on and not monochrome.
  virtual bool AllowsBuffering() const = 0;
  virtual bool IsMonochromeMode() const = 0;
  virtual bool IsRunningOnline() const = 0;
  virtual bool FollowsNewData() const = 0;
  // Applies what the data view and the invalidation mask hold back; true when anything was.
  virtual bool FlushPendingUpdates() = 0;
  virtual void OnLaneInvalidated(const RECT& rect, bool erase) = 0;
  virtual void ScrollWindowContents(int dx, const RECT& scroll, const RECT& clip) = 0;
  virtual LONG PaneWidth() const = 0;
  virtual LONGLONG ScrollPosition() const = 0;
  virtual LONG BorderWidth() const = 0;
  virtual LONG LaneGap() const = 0;
  // The end of the viewed data in pixels; 0 without a data view.
  virtual LONGLONG DataViewEnd() = 0;
  virtual COLORREF ContrastColour(COLORREF colour) = 0;
  virtual double ResolutionX(HDC dc) = 0;

 protected:
  ~ChildPaneOwner() = default;
};

}  // namespace PendrelDraw
