// Checks a scale's value range before the scale takes it: ends that are not finite come from
// the scale's limits, both ends stay within the limits, and a range too narrow to draw is
// widened about its centre. The first end may lie above the second (an inverted scale).
#pragma once

#include "core/quor_string.h"

struct ScaleLimits {
  double upper;
  double lower;
};

// The texts of the two complaints, in the string table of the module that shows the scale.
constexpr UINT kScaleRangeOutsideLimitsText = 22000;
constexpr UINT kScaleRangeTooNarrowText = 22001;

// True when the range was usable as given. Otherwise the adjusted range is written back, the
// message (when one is asked for) says what was wrong, and the result is false.
bool ValidateScaleRange(const ScaleLimits& limits, double& first, double& second,
                        Quor::String* message, HMODULE textModule);
