// The class objects of the module's two calculated event enumerators, through which the host
// learns of them (names, types, parameters) and creates them: "RhythFiducialEnum" for the
// fiducial point enumerator and "RhythSelectorEnum" for the selector.
#pragma once

#include "analysis/detection/fiducial_enumerator.h"
#include "analysis/detection/selector_enumerator.h"
#include "hostframework/calcenums/calc_enum_numeric_params_class.h"

namespace Rhyth {

using FiducialEnumClass = CalcEnums::CalcEnumNumericParamsClass<FiducialEnumeratorObject>;
using SelectorEnumClass = CalcEnums::CalcEnumNumericParamsClass<SelectorEnumeratorObject>;

// The descriptors the class objects are made with; each keeps its class's type word once asked.
CalcEnums::CalcEnumDescriptor& FiducialEnumDescriptor();
CalcEnums::CalcEnumDescriptor& SelectorEnumDescriptor();

}  // namespace Rhyth
