// The handle of the module this code is linked into (its resources and version), set by the
// module's entry when it loads.
#pragma once

#include "platform/win32/types.h"

namespace ExtLib {

HMODULE GetThisModule();
void SetThisModule(HMODULE module);

}  // namespace ExtLib
