// A recording laid out as another and without records: what a device samples into.
#pragma once

#include <memory>

#include "host/recording/recording.h"

namespace PendrelHost {

// An empty recording with the channels, event channels, rate and start of `source`.
std::shared_ptr<Recording> EmptyRecordingLike(const Recording& source);

}  // namespace PendrelHost
