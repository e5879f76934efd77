// The classifier limits under which every beat of the last analysis is normal: the observed
// ranges of RR and of the beat complexity, each widened by 5 % of its largest value.
#pragma once

#include <optional>

#include "analysis/engine/classifier_ranges.h"
#include "analysis/settings/settings.h"

namespace Rhyth {

// Nothing while a range is not known (nothing analysed since the last reset) or not finite:
// a limit must stay a number the fiducial formula can carry. A lower limit at or below 0
// becomes 0.
std::optional<ClassifierLimits> LimitsAdmittingAll(const ClassifierRanges& observed);

}  // namespace Rhyth
