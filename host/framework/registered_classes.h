// The class objects that modules registered, for the host's libraries that look among them, as
// the document does for the calculated event enumerators that formulas call.
#pragma once

#include <vector>

#include "host/framework/held_reference.h"
#include "host/framework/tarn_api.h"
#include "platform/pendrel/class_registry.h"

namespace Tarn {

// In the order of registration, each with a reference for the caller.
TARN_API std::vector<HeldReference<ITarnClassObject>> RegisteredClassObjects();

}  // namespace Tarn
