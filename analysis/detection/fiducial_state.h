// What the fiducial point search carries from beat to beat within a record: the last beat (its
// number, position, RR and class, which the next beat's RR and flags depend on), the fiducial
// point found for the current reference event, and the tick before which no point may lie.
#pragma once

#include <limits>

#include "analysis/detection/fiducial_event.h"
#include "hostframework/eeh3/state_base.h"

namespace Rhyth {

class FiducialState : public EEH3::StateBase {
 public:
  explicit FiducialState(LONG start) : start(start), next(start), searchFloor(start) {}

  LONG NextPosition() const override { return next; }

  bool HasCandidate() const { return candidate.position != kNoBeatPosition; }
  bool HasPreviousBeat() const { return previousPosition != kNoBeatPosition; }

  LONG start;
  LONG next;
  LONG lastNumber = 0;  // 0: no beat numbered yet
  LONG previousPosition = kNoBeatPosition;
  float previousFraction = 0.0f;
  double previousRR = std::numeric_limits<double>::quiet_NaN();
  DWORD previousFlags = kBeatUnclassified;
  // The detected beat waiting to be emitted: its point, value and distance from its reference.
  FiducialEvent candidate = kEmptyBeat;
  // A reference event whose point falls before this tick lies in the previous beat's window.
  LONG searchFloor;
};

}  // namespace Rhyth
