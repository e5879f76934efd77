// The extent of the classifier plot: the lowest and highest RR and FF of the readable beats.
#pragma once

#include <cmath>
#include <limits>

namespace Rhyth {

struct ClassifierRanges {
  // An engine that has read nothing yet shows the default classifier box.
  double rrLow = 0.8;
  double rrHigh = 1.2;
  double ffLow = 1.0;
  double ffHigh = 1.5;

  // NaN bounds: nothing read since the last reset.
  static ClassifierRanges Empty() {
    constexpr double none = std::numeric_limits<double>::quiet_NaN();
    return {none, none, none, none};
  }

  void Widen(double rr, double ff) {
    WidenBounds(rrLow, rrHigh, rr);
    WidenBounds(ffLow, ffHigh, ff);
  }

 private:
  // A value that is no finite number (the complexity of a flat window is infinite) tells
  // nothing of the range and would make every limit taken from it unusable.
  static void WidenBounds(double& low, double& high, double value) {
    if (!std::isfinite(value)) return;
    if (std::isnan(low) || value < low) low = value;
    if (std::isnan(high) || value > high) high = value;
  }
};

}  // namespace Rhyth
