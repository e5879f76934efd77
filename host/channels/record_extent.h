// How much of a record a channel can give: the ticks whose values are known and will not change,
// and whether that is all the record will ever have.
#pragma once

#include <algorithm>
#include <cstdint>

#include "host/recording/recording.h"

namespace PendrelHost {

struct RecordExtent {
  int64_t available = 0;
  bool final = false;
};

// What a channel computed tick by tick from the recording alone can give: all it has.
inline RecordExtent RecordingExtent(const Recording& recording, std::size_t record) {
  return {recording.TickCount(record), recording.IsClosed(record)};
}

// Both of two channels.
inline RecordExtent CommonExtent(const RecordExtent& a, const RecordExtent& b) {
  return {std::min(a.available, b.available), a.final && b.final};
}

// A stage that looks `reach` ticks ahead can give, in an open record, only the ticks whose look
// ahead the data already covers; once the record is closed, its mirrored edge completes the rest.
inline RecordExtent ExtentWithLookAhead(const RecordExtent& input, int64_t reach) {
  if (input.final) return input;
  return {std::max<int64_t>(0, input.available - reach), false};
}

}  // namespace PendrelHost
