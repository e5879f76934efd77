// The unit prefix of a vertical axis: index 0 to 14 as the core library numbers SI prefixes
// (8 = none, 2 = atto to 14 = exa), its letter and the factor that turns a value in the prefixed
// unit into the base unit.
#pragma once

#include "platform/pendrel/axis_scales.h"

namespace PendrelDraw {

// Letter and factor of an index; indices outside 0 to 14 are treated as 0 ("?", factor 1).
PendrelAxisUnit AxisUnitOfPrefix(LONG index);
// Whether ranges on the axis are scaled: every index but 0, 1 and 8.
bool PrefixScales(LONG index);

}  // namespace PendrelDraw
