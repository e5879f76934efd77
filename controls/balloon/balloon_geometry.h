// Where a balloon goes: the quadrant of the work area its anchor lies in decides whether the body
// hangs below the anchor (tail on top) or stands above it (tail at the bottom), and whether the
// tail sits a quarter of the width in from the left or the right; the window is then pushed into
// the work area sideways and vertically, the tip staying on the anchor.
#pragma once

#include "platform/win32/geometry.h"

namespace WTL {

// 0 upper right, 1 upper left (below the anchor, tail on top), 2 lower left, 3 lower right
// (above the anchor, tail at the bottom).
int GetBalloonQuadrant(const RECT& workArea, POINT anchor);

struct BalloonLayout {
  int quadrant;
  RECT window;  // in screen pixels
  RECT body;    // in window coordinates
  POINT tail[3];  // P0, the tip P1, P2, in window coordinates
};

constexpr unsigned kBalloonMoveWholeTail = 0x10000;

// The layout for a client area of `clientSize` with margin `m` and tail height `t`.
BalloonLayout LayOutBalloon(SIZE clientSize, int margin, int tailHeight, POINT anchor, const RECT& workArea,
                            unsigned options);

// The client area inside the window rectangle: shrunk by the margin, and clear of the tail.
RECT BalloonClientArea(const RECT& window, int quadrant, int margin, int tailHeight);

}  // namespace WTL
