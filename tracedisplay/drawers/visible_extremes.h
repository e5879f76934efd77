// The extremes of a channel over data pixels of a display, in the units the channel is shown
// in: what an axis is scaled to when it follows the data.
#pragma once

#include "platform/win32/unknown.h"

namespace PendrelDraw {

// The lowest and highest value of `channel` (asked for with `address`) over the data pixels
// [first, end) of `dataView`, as (value + offset) x scale; false when those pixels show none of
// it or all of it is one value.
bool VisibleExtremes(IUnknown* dataView, LONGLONG first, LONGLONG end, DWORD address, LONG channel,
                     double* range);

}  // namespace PendrelDraw
