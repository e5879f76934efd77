#include "analysis/detection/selector_algorithm.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Rhyth {

double SelectorAlgorithm::SelectValue(const FiducialEvent& beat, LONG type) {
  switch (type) {
    case kSelectRR: return beat.rr;
    case kSelectDeltaRR: return beat.deltaRR;
    case kSelectRate: return 1.0 / beat.rr * 60.0;
    case kSelectVariance: return beat.variance;
    case kSelectMobility: return beat.mobility;
    case kSelectFormFactor: return beat.ff;
    default: return std::numeric_limits<double>::quiet_NaN();
  }
}

SelectorEvent SelectorAlgorithm::PlaceValue(const FiducialEvent& beat, double value) {
  const double exact = double(beat.position) + double(beat.fraction);
  const double tick = std::clamp(std::trunc(exact + 0.5), 0.0, double(kRecordEndOffset));
  return {LONG(tick), float(exact - tick), value};
}

bool SelectorAlgorithm::FindNextValue(SelectorState& state, SelectorParams& params,
                                      SelectorEvent& event) {
  const LONG limit = state.DataLimit();
  if (state.next >= limit) return false;
  SelectorParams::BeatSource& beats = params.Beats();
  bool produced = false;
  LONG reached = std::min(beats.Position(), limit);
  if (beats.HasCurrent()) {
    const FiducialEvent beat = beats.Current();
    // The value is due where it is placed, which rounding may move a tick on.
    const SelectorEvent placed = PlaceValue(beat, SelectValue(beat, params.type));
    if (placed.position < limit) {
      event = placed;
      beats.Advance();
      produced = true;
    }
    reached = LONG(std::min<LONGLONG>(LONGLONG(placed.position) + 1, limit));
  }
  if (beats.HasCurrent()) {
    state.next = PlaceValue(beats.Current(), 0.0).position;
  } else {
    state.next = beats.AtEnd() ? kRecordEndOffset : reached;
  }
  return produced;
}

}  // namespace Rhyth
