// Units made by the host.
#pragma once

#include "core/unit_with_prefix.h"
#include "platform/pendrel/data_adder.h"

// The host's data-adder service, made once by the class registry.
IPendrelDataAdder* GetDataAdderHostService();

// Releases what `unit` held and asks the host for a unit object of the prefix and name.
HRESULT CreateUnitName(const UnitWithPrefix& unit, IUnitName** out);
