// The time axis's tick layout: from the label font's average character width, the seconds per
// pixel and the pane width, the major interval (a round number of seconds, minutes, hours or
// days wide enough for a label), the minor ticks per major interval and where they fall.
#pragma once

#include "platform/win32/types.h"

namespace PendrelDraw {

struct MajorInterval {
  double seconds;  // T
  LONG step;       // the leading step n of T: 1, 2, 5, 10 (or 1, 2, 6, 12, 24 for hours)
  bool wholeUnit;  // a whole minute, hour or day: six minor ticks
};

// The major interval for the shortest interval a label needs, in seconds.
MajorInterval ChooseMajorInterval(double shortest);

// Minor ticks per major interval of `majorPixels`: 6 for a whole unit, 4 for a step of 2, else
// 5; 2 when they would stand closer than trunc(3 w) pixels.
LONG MinorTicksPerMajor(const MajorInterval& major, double majorPixels, LONG charWidth);

struct TickLayout {
  MajorInterval major = {1.0, 1, false};
  double majorPixels = 0.0;   // T in pixels
  LONG minorPerMajor = 2;
  double minorSpacing = 0.0;  // pixels between minor ticks
  LONG majorCount = 0;        // major intervals across the pane
  double coveredTime = 0.0;   // seconds those intervals cover
};

// The layout for a font's average character width w, s seconds per pixel and a pane W wide.
TickLayout ComputeTickLayout(LONG charWidth, double secondsPerPixel, LONG paneWidth);

}  // namespace PendrelDraw
