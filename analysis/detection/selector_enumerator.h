// The selector enumerator: one beat measure of a beat channel as value events, served to the
// host by the enumerator framework over SelectorAlgorithm.
#pragma once

#include "analysis/detection/selector_algorithm.h"
#include "analysis/detection/unknown_value_unit.h"
#include "hostframework/eeh3/eeh3_enumerator.h"

namespace Rhyth {

struct SelectorEnumerator {
  using Params = SelectorParams;
  using State = SelectorState;
  using Event = SelectorEvent;

  // Value events carry no type of their own.
  static DWORD EventTypeId() { return 0; }
  static bool FindNextEvent(State& state, Params& params, Event& event) {
    return SelectorAlgorithm::FindNextValue(state, params, event);
  }
  static HRESULT CreateValueUnit(const Params&, IUnitName** unit) {
    return CreateUnknownValueUnit(unit);
  }
};

using SelectorEnumeratorObject = EEH3::EEH3Enumerator<SelectorEnumerator, 8>;

}  // namespace Rhyth
