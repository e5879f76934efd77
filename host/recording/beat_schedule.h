// The times and heights of the built-in sample's beats: intervals at the mean rate of their
// time, varied by the RR process, with the rhythm's events applied in order as the heart
// reaches them. The synthetic ECG owns one while it draws the recording and asks for each beat
// once, in order.
#pragma once

#include <cstddef>

#include "host/recording/rhythm_events.h"
#include "host/recording/rr_process.h"

namespace PendrelHost {

struct ScheduledBeat {
  double time;    // s: the R wave
  double height;  // times the usual height of the QRS complex
};

class BeatSchedule {
 public:
  // `variation` gives each interval's ratio to the mean interval; the first beat comes at
  // `firstBeat` seconds (it may be before the recording starts).
  BeatSchedule(const RrProcess& variation, double heartRate, RhythmEvents events,
               double firstBeat);

  // The next beat: the first beat on the first call.
  ScheduledBeat Next();

 private:
  double MeanInterval(double time) const;
  double IntervalAfter(double time);
  double HeightAt(double time);

  const RrProcess& m_variation;
  double m_heartRate;
  RhythmEvents m_events;  // each kind in time order
  std::size_t m_nextPause = 0;
  std::size_t m_nextPremature = 0;
  std::size_t m_nextHeight = 0;
  double m_compensation = 0.0;  // s: the pause owed after a premature beat, or 0
  double m_nextTime;
};

}  // namespace PendrelHost
