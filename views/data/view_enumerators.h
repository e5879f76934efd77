// The two ways the view bases wrap the analysis document's results for a plot: one enumerator
// over a series of values, or an x and a y enumerator over one series of beat points. Each is
// returned with one reference for the caller.
#pragma once

#include "views/data/wrapper_enum.h"

namespace Rhyth {

struct ScatterEnums {
  IEnumFloatEx* x = nullptr;
  IEnumFloatEx* y = nullptr;
};

struct AxisData {
  Quor::String id;
  IUnitName* unit = nullptr;
  double scale = 1.0;
};

IEnumFloatEx* CreateSeriesEnum(const DoubleArray* data, const AxisData& axis,
                               const ViewDataStatePtr& state);
ScatterEnums CreateScatterEnums(const PlotPointArray* data, const AxisData& x, const AxisData& y,
                                const ViewDataStatePtr& state);

}  // namespace Rhyth
