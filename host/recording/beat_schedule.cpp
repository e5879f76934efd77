#include "host/recording/beat_schedule.h"

#include <algorithm>

namespace PendrelHost {

namespace {

template <typename Event>
void SortByTime(std::vector<Event>& events) {
  std::stable_sort(events.begin(), events.end(),
                   [](const Event& a, const Event& b) { return a.time < b.time; });
}

}  // namespace

BeatSchedule::BeatSchedule(const RrProcess& variation, double heartRate, RhythmEvents events,
                           double firstBeat)
    : m_variation(variation),
      m_heartRate(heartRate),
      m_events(std::move(events)),
      m_nextTime(firstBeat) {
  SortByTime(m_events.rateChanges);
  SortByTime(m_events.pauses);
  SortByTime(m_events.prematureBeats);
  SortByTime(m_events.beatHeights);
}

ScheduledBeat BeatSchedule::Next() {
  const double time = m_nextTime;
  const ScheduledBeat beat{time, HeightAt(time)};
  m_nextTime = time + IntervalAfter(time);
  return beat;
}

double BeatSchedule::MeanInterval(double time) const {
  double rate = m_heartRate;
  for (const RateChange& change : m_events.rateChanges) {
    if (change.time > time) break;
    rate = change.heartRate;
  }
  return 60.0 / rate;
}

double BeatSchedule::IntervalAfter(double time) {
  if (m_compensation > 0.0) {
    const double pause = m_compensation;
    m_compensation = 0.0;
    return pause;
  }
  const double interval = MeanInterval(time) * m_variation.At(time);
  const auto& pauses = m_events.pauses;
  if (m_nextPause < pauses.size() && pauses[m_nextPause].time <= time) {
    return pauses[m_nextPause++].length;
  }
  const auto& premature = m_events.prematureBeats;
  if (m_nextPremature < premature.size() && premature[m_nextPremature].time <= time) {
    const double coupling = premature[m_nextPremature++].coupling;
    m_compensation = (2.0 - coupling) * interval;
    return coupling * interval;
  }
  return interval;
}

double BeatSchedule::HeightAt(double time) {
  double height = 1.0;
  const auto& heights = m_events.beatHeights;
  while (m_nextHeight < heights.size() && heights[m_nextHeight].time <= time) {
    height *= heights[m_nextHeight++].factor;
  }
  return height;
}

}  // namespace PendrelHost
