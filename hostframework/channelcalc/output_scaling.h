// The 16-bit scaling of a calculation's output channel, derived from the range of values the
// channel must hold: the sample -32000 stands for the minimum and 32000 for the maximum.
#pragma once

#include "platform/pendrel/channel_calc.h"

namespace ExtLib {

struct OutputScaling {
  double step;    // value per sample step
  double offset;  // value = step * (sample + offset)
  PendrelOutputScaling host;  // sample = (value + shift) * scale
};

// Limits beyond +-1e24 (and NaN) are taken as +-1e24 (NaN as 1e24). A range without width (both
// limits equal, or both NaN) is widened about its middle, so that the scale stays finite.
OutputScaling ScalingForRange(float maximum, float minimum);

}  // namespace ExtLib
