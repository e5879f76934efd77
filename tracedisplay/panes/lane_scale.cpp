#include "tracedisplay/panes/lane_scale.h"

#include <cmath>

namespace PendrelDraw {

bool LaneScaleOfRange(double low, double high, long height, LaneScale* scale) {
  if (!(low < high) || !std::isfinite(high - low) || height <= 0) return false;
  if (height == 1) {
    // One row: every value of the range lies on it.
    *scale = {0.0, 0.0};
    return true;
  }
  const double rowsPerUnit = double(height - 1) / (high - low);
  // The value at the lane's top edge, half a row above the maximum; rows grow downwards.
  const double top = high + 0.5 / rowsPerUnit;
  *scale = {-rowsPerUnit, -top};
  return true;
}

}  // namespace PendrelDraw
