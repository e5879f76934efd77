// The handle of the module this code is linked into (its resources and version), set by the
// module's entry when it loads.
#pragma once

#include "platform/win32/types.h"

namespace ExtLib {

HMODULE GetThisModule();
void SetThisModule(HMODULE module);

// Where this code finds its own templates, texts and images when no module is named: this module
// once its entry has set it, else the executable (a program linked with this code, as a test is).
HMODULE OwnResourceModule();

}  // namespace ExtLib
