// The time axis of one record as the data pane shows it: seconds per pixel at the view's
// compression, and the time the record's first pixel stands for in the view's time display mode.
// The time labels and the graticule's vertical lines both stand on it.
#pragma once

#include "platform/pendrel/trace_data.h"

namespace PendrelDraw {

struct RecordTime {
  double secondsPerPixel = 0.0;
  double startSeconds = 0.0;  // the time at the record's first pixel
  BYTE mode = 2;              // the time display mode: plain seconds count from the record
};

// False when the view cannot say (no compression, or a record without a tick period).
bool RecordTimeOf(IPendrelTraceDataView* view, const PendrelTraceRecordInfo& info,
                  RecordTime* time);

}  // namespace PendrelDraw
