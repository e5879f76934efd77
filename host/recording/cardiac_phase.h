// The phase of the synthetic heart's cycle through time. The R wave is at phase 0; each R-R
// cycle turns the phase once round in the RR taken from the RR process when its first R wave
// passes, so that the R waves fall exactly one RR interval apart. A QRS complex is drawn at one
// speed, 2 pi / RR of its own beat, on both sides of its R wave: the cycle's speed changes only
// between the complexes, over the T wave, diastole and P wave. Were the speed to change at the R
// wave, every change of RR would make the R wave lean, and a smoothed view of it peak off the
// beat by an amount that follows the change.
#pragma once

#include "host/recording/rr_process.h"

namespace PendrelHost {

class CardiacPhase {
 public:
  // The recording starts `startPhase` radians (negative: before the first R wave) into a cycle.
  CardiacPhase(const RrProcess& rr, double startPhase);

  // Moves to `time` seconds; times never go back.
  void AdvanceTo(double time);
  // In (-pi, pi].
  double Phase() const { return m_phase; }
  // Radians per second.
  double AngularSpeed() const { return m_angularSpeed; }

 private:
  // From the R wave at `start` to the next, `rr` seconds later, whose own beat lasts `nextRr`.
  struct Cycle {
    double start;
    double rr;
    double nextRr;
  };

  void NextCycle();

  const RrProcess& m_rr;
  Cycle m_cycle{};
  double m_angularSpeed = 0.0;
  double m_phase = 0.0;
};

}  // namespace PendrelHost
