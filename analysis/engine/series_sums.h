// The sums of one series that its statistics are formed from: the sum, the sum of squares and
// the sum of squared deviations from the mean.
#pragma once

#include "platform/win32/types.h"

namespace Rhyth {

struct SeriesSums {
  double sum = 0;
  double sumOfSquares = 0;
  double squaredDeviations = 0;
  // The values summed. NaN values (a change of RR with no previous RR) are left out, so the
  // deviations always belong to the values that were summed.
  DWORD count = 0;

  // From every value of a series at once.
  void Compute(const double* values, DWORD n);
  // One more value; the deviations follow by Welford's update.
  void Add(double x);
};

}  // namespace Rhyth
