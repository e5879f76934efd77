// The extremes of a channel over data pixels of a display, in the units the channel is shown
// in: what an axis is scaled to when it follows the data.
#pragma once

#include "core/com_ptr.h"
#include "platform/pendrel/trace_ranges.h"
#include "platform/win32/unknown.h"

namespace PendrelDraw {

// The host's record range over the data pixels [first, end) of `dataView`, and in `record` the
// record shown at `first`; null when those pixels show no data.
Quor::ComPtr<IPendrelTraceRecordRange> ShownRecordRange(IUnknown* dataView, LONGLONG first,
                                                        LONGLONG end, LONG* record);

// The extremes of `channel` (asked for with `address`) in `record` of `range`, as
// (value + offset) x scale, in the order the scale leaves them: S_FALSE when the range holds
// none of the channel or only one value of it; a failure of the host passed on.
HRESULT ScaledExtremes(IPendrelTraceRecordRange* range, DWORD address, LONG record, LONG channel,
                       double* scaled);

// The lowest and highest value of `channel` (asked for with `address`) over the data pixels
// [first, end) of `dataView`, as (value + offset) x scale; false when those pixels show none of
// it or all of it is one value.
bool VisibleExtremes(IUnknown* dataView, LONGLONG first, LONGLONG end, DWORD address, LONG channel,
                     double* range);

}  // namespace PendrelDraw
