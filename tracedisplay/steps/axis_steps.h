// Axis label steps: a tick interval rounded to 1, 2 or 5 (decimal) or to 1, 2, 6, 12 or 24
// (hours) times a power of ten, so that labels fall on round values.
#pragma once

#include "platform/win32/types.h"

namespace PendrelDraw {

// Replaces `interval` with its step and stores the step's multiplier, which it also returns.
// A zero, negative or non-finite interval has no decade: it is left as it is, multiplier 1.
LONG NiceStepDecimal(double& interval, LONG& multiplier);
LONG NiceStepTime(double& interval, LONG& multiplier);

}  // namespace PendrelDraw
