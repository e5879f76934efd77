#include "tracedisplay/timescale/record_time.h"

#include "core/com_ptr.h"
#include "platform/pendrel/trace_time_base.h"

namespace PendrelDraw {

bool RecordTimeOf(IPendrelTraceDataView* view, const PendrelTraceRecordInfo& info,
                  RecordTime* time) {
  LONGLONG ticks = 0, pixels = 0;
  if (!view || FAILED(view->GetCompression(&ticks, &pixels)) || ticks <= 0 || pixels <= 0 ||
      !(info.record.tickPeriod > 0.0))
    return false;
  time->mode = 2;
  if (const auto timeBase = Quor::QueryFace<IPendrelTraceTimeBase>(view))
    timeBase->GetTimeDisplayMode(&time->mode);
  time->secondsPerPixel = double(ticks) / double(pixels) * info.record.tickPeriod;
  // Plain seconds count from the record's start, the other modes from the document's.
  time->startSeconds = time->mode == 2 ? 0.0 : info.record.startTime;
  return true;
}

}  // namespace PendrelDraw
