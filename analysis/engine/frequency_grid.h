// The frequencies of the periodogram: f_j = (first + j)·df for j = 0 .. count - 1.
#pragma once

#include "platform/win32/types.h"

namespace Rhyth {

constexpr double kTwoPi = 6.283185307179586;

struct FrequencyGrid {
  double df = 0;  // Hz
  LONG first = 1;
  DWORD count = 0;

  double AngularFrequency(DWORD j) const { return kTwoPi * (double(first) + j) * df; }
};

}  // namespace Rhyth
