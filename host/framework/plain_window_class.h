// Windows the stand-in host makes only to own or hold others (its main window, the browser's
// window) need a class that does nothing of its own.
#pragma once

#include "host/framework/tarn_api.h"

namespace Tarn {

// Registers `name` with the default window procedure; a name already registered stays as it is.
TARN_API void RegisterPlainWindowClass(const char16_t* name);

}  // namespace Tarn
