// The phase of the synthetic heart's cycle through time. The R wave is at phase 0; each beat
// turns the phase once round at the angular speed 2 pi / RR, with RR taken from the RR process
// when the beat's R wave passes, so that the R waves fall exactly one RR interval apart.
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
  void StartBeat(double time);

  const RrProcess& m_rr;
  double m_beatStart;  // time of the current beat's R wave
  double m_beatRr;
  double m_angularSpeed;
  double m_phase;
};

}  // namespace PendrelHost
