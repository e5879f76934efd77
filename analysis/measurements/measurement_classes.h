// The class objects of the 27 measurements, made at load time and linked into the module's
// class-object list, which module registration hands to the host's class registry.
#pragma once

#include <span>

#include "hostframework/tabulon/tabulon_func_class_base.h"

namespace Rhyth {

// The 27 class objects, in the order of their sub-ids.
std::span<TabulonFuncClassBase* const> MeasurementClasses();

}  // namespace Rhyth
