// The unit the module's enumerators give their values: "?". A beat's values come in the units
// of several fields, and the signal's own unit is not known to the enumerator.
#pragma once

#include "platform/pendrel/unit_name.h"

namespace Rhyth {

// A new unit object, one reference for the caller.
HRESULT CreateUnknownValueUnit(IUnitName** unit);

}  // namespace Rhyth
