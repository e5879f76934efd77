// The data point of a plot nearest to the pointer, for the script's pointer tracking. Runs on
// the plot window's thread over the series that the views registered with the plot model, and
// compares in pixels through the linear maps value -> value * a + b of both axes.
#pragma once

#include "plotengine/proxy/etch_proxy_base.h"

namespace Quor {

struct NearestPointQuery {
  double x = 0;  // the pointer, in data units
  double y = 0;
  double ax = 0;  // pixel = value * ax + bx
  double bx = 0;
  double ay = 0;
  double by = 0;
  // Regular mode: the series are regularly spaced samples, the first at `first`; only the
  // sample under the pointer is compared, by vertical distance. Otherwise every point (or
  // segment) of every XY series is compared, by squared distance.
  bool regular = false;
  double first = 1.0;
  double spacing = 1.0;
};

// {"distance", "x", "y", "plotter_id"}, or empty when no point qualifies (nothing within 500
// pixels in XY mode, or a scale that is 0 or not finite).
EtchStringMap FindNearestDataPoint(const EtchProxyBase& model, const NearestPointQuery& query);

}  // namespace Quor
