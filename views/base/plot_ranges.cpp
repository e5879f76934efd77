#include "views/base/plot_ranges.h"

#include <cmath>

namespace Rhyth {

bool IsUsableRange(const ViewRange& range) {
  return !range.IsNone() && std::isfinite(range.max) && std::isfinite(range.min);
}

void FillUnstoredRanges(ViewPersistTask* task, const ViewRange& x, const ViewRange& y) {
  if (!task) return;
  if (IsUsableRange(x) && task->StoredX().IsNone()) task->StoreX(x);
  if (IsUsableRange(y) && task->StoredY().IsNone()) task->StoreY(y);
}

void StoreRanges(ViewPersistTask* task, const ViewRange& x, const ViewRange& y) {
  if (!task) return;
  if (IsUsableRange(x)) task->StoreX(x);
  if (IsUsableRange(y)) task->StoreY(y);
}

void ApplyRanges(ViewPersistTask* task, const ViewRange& x, const ViewRange& y) {
  if (!task) return;
  if (IsUsableRange(x)) task->SetXScaling(x);
  if (IsUsableRange(y)) task->SetYScaling(y);
}

}  // namespace Rhyth
