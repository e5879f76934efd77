#include "views/data/view_enumerators.h"

namespace Rhyth {

namespace {

template <class Enum>
IEnumFloatEx* Created(Enum* created) {
  created->AddRef();
  return created;
}

}  // namespace

IEnumFloatEx* CreateSeriesEnum(const DoubleArray* data, const AxisData& axis,
                               const ViewDataStatePtr& state) {
  return Created(new SeriesEnum(axis.id, data, axis.unit, axis.scale, state));
}

ScatterEnums CreateScatterEnums(const PlotPointArray* data, const AxisData& x, const AxisData& y,
                                const ViewDataStatePtr& state) {
  return {Created(new ScatterXEnum(x.id, data, x.unit, x.scale, state)),
          Created(new ScatterYEnum(y.id, data, y.unit, y.scale, state))};
}

}  // namespace Rhyth
