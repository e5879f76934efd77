// What the plot views do with their default scale ranges: fill the ranges the plot has not
// stored yet, replace the stored ones, or apply them to the plot's scales. A range of (0, 0)
// is none and is never stored or applied; neither is a range with an end that is not finite,
// which no scale can show and which would be kept with the document.
#pragma once

#include "views/base/update_flags.h"
#include "views/plot/view_plot.h"

namespace Rhyth {

bool IsUsableRange(const ViewRange& range);

// Carries out kDefaultRanges, kStoreRanges and kApplyRanges of `flags`, in that order, asking
// `defaults` for the ranges before each.
template <class Defaults>
void CarryOutRangeFlags(DWORD flags, ViewPersistTask* task, ViewRange& x, ViewRange& y,
                        Defaults&& defaults);

void FillUnstoredRanges(ViewPersistTask* task, const ViewRange& x, const ViewRange& y);
void StoreRanges(ViewPersistTask* task, const ViewRange& x, const ViewRange& y);
void ApplyRanges(ViewPersistTask* task, const ViewRange& x, const ViewRange& y);

template <class Defaults>
void CarryOutRangeFlags(DWORD flags, ViewPersistTask* task, ViewRange& x, ViewRange& y,
                        Defaults&& defaults) {
  if (flags & kDefaultRanges) {
    defaults(x, y);
    FillUnstoredRanges(task, x, y);
  }
  if (flags & kStoreRanges) {
    defaults(x, y);
    StoreRanges(task, x, y);
  }
  if (flags & kApplyRanges) {
    defaults(x, y);
    ApplyRanges(task, x, y);
  }
}

}  // namespace Rhyth
