// The Lomb-Scargle periodogram of the RR series over its unevenly spaced beat times.
#pragma once

#include "analysis/engine/frequency_grid.h"

namespace Rhyth {

// The series the periodogram analyses: y less its trend line, times the window weights.
void DetrendAndWindow(DWORD windowType, const double* t, const double* y, DWORD n, double* z);

// Fills power[0 .. grid.count) with the periodogram of y (detrended and windowed) divided by n:
// P = (YC'²/CC' + YS'²/SS')/n with the sums taken at the phase ωτ = atan(2·CS/(CC - SS))/2.
void LombScarglePeriodogram(DWORD windowType, const double* t, const double* y, DWORD n,
                            const FrequencyGrid& grid, double* power);

}  // namespace Rhyth
