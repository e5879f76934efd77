// One value for every beat of a beat channel: the measure its Type selects, at the beat's
// position rounded to a whole tick.
#pragma once

#include "analysis/detection/fiducial_event.h"
#include "analysis/detection/selector_event.h"
#include "analysis/detection/selector_params.h"
#include "analysis/detection/selector_state.h"

namespace Rhyth {

class SelectorAlgorithm {
 public:
  static double SelectValue(const FiducialEvent& beat, LONG type);
  // The event of a beat: its position rounded half up, the rest in the fraction.
  static SelectorEvent PlaceValue(const FiducialEvent& beat, double value);
  static bool FindNextValue(SelectorState& state, SelectorParams& params, SelectorEvent& event);
};

}  // namespace Rhyth
