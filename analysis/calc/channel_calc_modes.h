// The beat measures the channel calculation can show (its modes, the selector's Type): each
// mode's output title, unit and the range its output channel holds.
#pragma once

#include <optional>

#include "analysis/settings/settings.h"
#include "core/quor_string.h"

namespace Rhyth {

constexpr LONG kCalcModeBeatPeriod = 0;
constexpr LONG kCalcModeBeatPeriodChange = 1;
constexpr LONG kCalcModeBeatRate = 2;
constexpr LONG kCalcModeBeatComplexity = 5;

struct OutputRange {
  double minimum;
  double maximum;
};

// The output title of the mode ("Beat Rate"); empty for a mode without one. Loaded once.
Quor::String CalcModeTitle(LONG mode);
// "s", "BPM", or empty.
Quor::String CalcModeUnit(LONG mode);
// The range the mode's output holds: the fixed range of the mode, widened so that the values a
// document's classifier limits admit (and beats well outside them: a missed beat doubles the
// interval, an extra beat halves it) are not clipped. Without limits, those of the settings'
// defaults. Limits that are not positive numbers are ignored.
OutputRange CalcModeRange(LONG mode, const std::optional<ClassifierLimits>& limits);

}  // namespace Rhyth
