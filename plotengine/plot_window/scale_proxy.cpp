#include "plotengine/plot_window/scale_proxy.h"

#include <cfloat>
#include <utility>

#include "plotengine/tasks/etch_persist_task.h"

namespace Quor {
namespace {

bool IsUnset(const PlotRange& range) { return range.min == 0.0 && range.max == 0.0; }

}  // namespace

double ScaleProxy::GetLowestAllowed() { return -DBL_MAX; }

double ScaleProxy::GetHighestAllowed() { return DBL_MAX; }

double ScaleProxy::GetMin() {
  const PlotRange* range = m_task->CurrentRange(m_index);
  return range ? range->min : -DBL_MAX;
}

double ScaleProxy::GetMax() {
  const PlotRange* range = m_task->CurrentRange(m_index);
  return range ? range->max : DBL_MAX;
}

bool ScaleProxy::ValidateRange(double, double, String&) { return true; }

void ScaleProxy::SetRange(double high, double low) {
  if (PlotRange* range = m_task->CurrentRange(m_index)) *range = {low, high};
  // The document keeps both scales' ranges; an axis never set is left to auto-scale.
  const PlotRange x = *m_task->CurrentRange(0);
  const PlotRange y = *m_task->CurrentRange(1);
  if (!IsUnset(x)) {
    const double values[] = {x.min, x.max};
    m_task->SetXScaling(m_task->PlotId(), values, 2, false);
  }
  if (!IsUnset(y)) {
    const double values[] = {y.min, y.max};
    m_task->SetYScaling(m_task->PlotId(), values, 2, false);
  }
}

void ScaleProxy::Invert() {
  PlotRange* range = m_task->CurrentRange(m_index);
  if (range && !IsUnset(*range)) std::swap(range->min, range->max);
}

}  // namespace Quor
