// Tests that share one process start from a host that knows nothing a module registered:
// no class objects, message classes, commands, menus, observers or tracked objects. GUID ids
// stay, as they must for the life of the process, and so does the call log.
#pragma once

#include "host/framework/tarn_api.h"

namespace Tarn {

TARN_API void ResetFramework();

}  // namespace Tarn
