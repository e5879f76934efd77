// The data windows applied before the periodogram, over unevenly spaced beat times.
#pragma once

#include "platform/win32/types.h"

namespace Rhyth {

// Fills the n weights of window type `type` (1 triangular, 2 Hamming, 3 Blackman, 4 Welch,
// 5 Hann, any other rectangular) at the relative positions (t_i - t_0)/(t_(n-1) - t_0), scaled
// to a mean square of 1; returns their mean square before the scaling. Weights that are all 0
// (two beats under most windows) stay 0: the windowed series then carries no power.
double SpectrumWindow(DWORD type, const double* t, double* w, DWORD n);

}  // namespace Rhyth
