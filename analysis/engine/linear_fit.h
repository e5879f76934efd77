// The least-squares line through a series, removed before the periodogram.
#pragma once

#include "platform/win32/types.h"

namespace Rhyth {

struct Line {
  double slope = 0;
  double intercept = 0;
  double At(double t) const { return slope * t + intercept; }
};

// Fits y = slope·t + intercept; false when there are fewer than two points, or when t or y
// (almost) does not vary: |S_tt| or |S_yy| at most the double epsilon.
bool LinearFit(const double* t, const double* y, DWORD n, Line& line);

// The fitted line, or when no line can be fitted the flat line at the mean of y: a series
// that cannot be detrended still loses its mean, so a constant series has no power.
Line TrendLine(const double* t, const double* y, DWORD n);

}  // namespace Rhyth
