// Where the trace display's resources come from: the module the code is linked into once its
// entry named it, else (in tests) the executable's own table. Texts (control hints, sampling
// messages) are loaded once per process with the branding words replaced, and kept.
#pragma once

#include <string>

#include "platform/owl/module.h"

namespace PendrelDraw {

HMODULE TraceDisplayResources();
// A framework module object for the resources; one per module handle, kept for the process.
OWL::TModule& TraceDisplayModule();
// Empty for an id the table lacks.
const std::u16string& TraceDisplayString(UINT id);

}  // namespace PendrelDraw
