// Compression steps: the 1-2-5 sequence over the powers of ten (... 0.5, 1, 2, 5, 10 ...) along
// which the trace display zooms. A value between steps is first rounded to its leading digit.
#pragma once

namespace PendrelDraw {

// The next larger step. A zero, negative or non-finite value is left as it is.
void NextStepUp(double& value);
// The next smaller step.
void NextStepDown(double& value);

}  // namespace PendrelDraw
