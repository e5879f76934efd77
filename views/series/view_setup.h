// The steps the series and scatter bases share: the unit entry of an axis, and the set-up of
// the plot window inside a view (browser control, subscriptions, the persist task).
#pragma once

#include "core/com_ptr.h"
#include "core/unit_entry.h"
#include "views/base/rhyth_view_base.h"

namespace Rhyth {

// A unit entry with flag 0, the prefix index and the name, with one reference.
Quor::ComPtr<Quor::UnitEntry> MakeAxisUnit(const Quor::String& name, DWORD prefix);
// The scale factor of a prefix index: 1000 for milli (7), 1 for none (8).
double PrefixScale(DWORD prefix);

}  // namespace Rhyth
