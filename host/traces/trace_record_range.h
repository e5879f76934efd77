// The stand-in host's range of record positions that a trace display auto-scales to: made by a
// data view from the visible pixels, it answers a channel's extremes over its records from the
// record data. Holds the record data; lives as long as the display keeps it.
#pragma once

#include "host/framework/held_reference.h"
#include "platform/pendrel/trace_ranges.h"
#include "platform/pendrel/trace_record_data.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

struct TracePositionRange {
  LONG startRecord;
  LONG startTick;
  LONG endRecord;
  LONG endTick;  // one past the last tick
};

class TraceRecordRange final : public SimpleUnknownImp1<IPendrelTraceRecordRange, 0> {
 public:
  TraceRecordRange(IPendrelTraceRecordData* data, const TracePositionRange& range);

  // The values as the record data gives them (scale 1, offset 0); S_FALSE, and the answer as
  // it was, when the range holds no value.
  HRESULT GetExtremes(DWORD address, LONG record, LONG channel,
                      PendrelValueExtremes* answer) override;

 private:
  Tarn::HeldReference<IPendrelTraceRecordData> m_data;
  TracePositionRange m_range;
};

}  // namespace PendrelHost
