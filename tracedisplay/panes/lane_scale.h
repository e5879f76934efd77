// The vertical scale a lane hands its drawers. Axes and scales speak of value ranges; drawers
// place a value v on row floor((v + offset) x gain) of their lane, row 0 at the lane's top. The
// range's maximum lies on the centre of the top row and its minimum on the centre of the bottom
// row, so a trace scaled to its own extremes fills the lane's rows exactly, and rounding cannot
// push either extreme out of the lane.
#pragma once

namespace PendrelDraw {

struct LaneScale {
  double gain = 1.0;
  double offset = 0.0;
};

// The scale that shows [low, high] over `height` rows; false (and no scale) for an empty,
// inverted or non-finite range or a lane without rows.
bool LaneScaleOfRange(double low, double high, long height, LaneScale* scale);

}  // namespace PendrelDraw
