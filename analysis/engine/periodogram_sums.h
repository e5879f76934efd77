// The five sums of the Lomb-Scargle periodogram at every frequency of a grid, over samples z_i
// at times t_i: YC = Σ z·cos ωt, YS = Σ z·sin ωt, CC = Σ cos² ωt, SS = Σ sin² ωt and
// CS = Σ cos ωt · sin ωt.
#pragma once

#include <vector>

#include "analysis/engine/frequency_grid.h"

namespace Rhyth {

struct PeriodogramSums {
  std::vector<double> yc, ys, cc, ss, cs;  // one entry per grid frequency
};

PeriodogramSums ComputePeriodogramSums(const double* t, const double* z, DWORD n,
                                       const FrequencyGrid& grid);

}  // namespace Rhyth
