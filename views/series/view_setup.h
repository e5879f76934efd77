// What the series and scatter bases make for each axis at set-up: its unit entry, which the
// view owns and its enumerators share, and the factor that scales base units to it.
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
