// The host's scale factory, one per process: asked of the host's class registry on first use
// and kept, without a reference of its own, for the life of the module.
#pragma once

#include "platform/pendrel/axis_scales.h"

namespace PendrelDraw {

// Null while the host offers none (asked again at the next call).
IPendrelScaleFactory* GetScaleFactory();

}  // namespace PendrelDraw
