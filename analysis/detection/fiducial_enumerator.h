// The fiducial point enumerator: beats of the fiducial channel, served to the host by the
// enumerator framework over FiducialAlgorithm.
#pragma once

#include "analysis/detection/fiducial_algorithm.h"
#include "analysis/rhyth_guids.h"
#include "analysis/detection/unknown_value_unit.h"
#include "hostframework/eeh3/eeh3_enumerator.h"
#include "hostframework/type_ids.h"

namespace Rhyth {

// The type word of beat events.
using FiducialEventTypeId = TypeIdClass<&GUID_RhythEnumObj, 1>;

struct FiducialEnumerator {
  using Params = FiducialParams;
  using State = FiducialState;
  using Event = FiducialEvent;

  static DWORD EventTypeId() { return FiducialEventTypeId::Id(); }
  static bool FindNextEvent(State& state, Params& params, Event& beat) {
    return FiducialAlgorithm::FindNextBeat(state, params, beat);
  }
  static HRESULT CreateValueUnit(const Params&, IUnitName** unit) {
    return CreateUnknownValueUnit(unit);
  }
};

using FiducialEnumeratorObject = EEH3::EEH3Enumerator<FiducialEnumerator, 8>;

}  // namespace Rhyth
