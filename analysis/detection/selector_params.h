// The parameters of the selector enumerator: the beat channel, which beat measure to give, and
// an interpolation flag that travels with the parameters without changing the values.
#pragma once

#include "analysis/detection/fiducial_event.h"
#include "hostframework/eeh3/event_wrapper.h"
#include "hostframework/eeh3/params_base.h"

namespace Rhyth {

// The beat measures, by Type; any other Type gives NaN.
enum SelectorType : LONG {
  kSelectRR = 0,
  kSelectDeltaRR = 1,
  kSelectRate = 2,  // per minute
  kSelectVariance = 3,
  kSelectMobility = 4,
  kSelectFormFactor = 5,
};

// Parameter text: Type, Interpolate.
class SelectorParams : public EEH3::ParamsBase {
 public:
  using BeatSource = EEH3::EventWrapperEx<FiducialEvent>;

  bool Read(std::wistream& in) override;
  void Write(std::wostream& out) const override;
  HRESULT BuildSources(IUnknown* const* objects, LONG count) override;

  BeatSource& Beats() const { return *SourceAs<BeatSource>(0); }

  LONG type = kSelectRR;
  bool interpolate = false;
};

}  // namespace Rhyth
