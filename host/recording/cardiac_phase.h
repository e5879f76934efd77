// Where the synthetic heart is in its cycle through time: the beats before and after the
// moment, from the beat schedule, and the cardiac phase between them. The phase is 0 at each R
// wave and turns once round, evenly, in each RR interval, which is when the P and T waves are
// drawn; the QRS complexes are drawn on their own clock, from their beats' times.
#pragma once

#include "host/recording/beat_schedule.h"

namespace PendrelHost {

class CardiacPhase {
 public:
  // Takes the schedule's first two beats; the schedule must outlive the phase.
  explicit CardiacPhase(BeatSchedule& beats);

  // Moves to `time` seconds; times never go back.
  void AdvanceTo(double time);
  // In (-pi, pi].
  double Phase() const { return m_phase; }
  // Radians per second.
  double AngularSpeed() const { return m_angularSpeed; }
  // The last beat at or before the time, and the next one after it.
  const ScheduledBeat& LastBeat() const { return m_last; }
  const ScheduledBeat& NextBeat() const { return m_next; }

 private:
  BeatSchedule& m_beats;
  ScheduledBeat m_last;
  ScheduledBeat m_next;
  double m_angularSpeed = 0.0;
  double m_phase = 0.0;
};

}  // namespace PendrelHost
