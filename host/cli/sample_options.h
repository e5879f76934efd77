// The options of `pendrel channel` that shape the built-in sample: its rate and length, its
// heart's rate, variability and QRS duration, the rhythm's events, and the noise, baseline
// wander and mains interference on it.
#pragma once

#include <string>

#include "host/recording/synthetic_ecg.h"

namespace PendrelHost {

// Takes `value` into `sample` and returns true when `option` is one of the sample's; returns
// false for any other option. Throws std::invalid_argument for a value that does not fit.
bool ParseSampleOption(const std::string& option, const std::string& value,
                       SyntheticEcgSettings& sample);

}  // namespace PendrelHost
