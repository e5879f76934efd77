#include "host/recording/r_peak_tracker.h"

#include <cmath>

#include "host/recording/ecg_model.h"

namespace PendrelHost {

void RPeakTracker::Observe(double time, double value, double qrsOffset) {
  if (std::abs(qrsOffset) >= kRWaveHalfWidth) {
    Finish();
    return;
  }
  if (m_stepsInWave >= 2 && m_last.value >= m_before.value && m_last.value > value &&
      (!m_hasPeak || m_last.value > m_peakValue)) {
    const double curvature = m_before.value - 2.0 * m_last.value + value;
    const double offset = curvature < 0.0 ? 0.5 * (m_before.value - value) / curvature : 0.0;
    m_peakTime = m_last.time + offset * (time - m_last.time);
    m_peakValue = m_last.value;
    m_hasPeak = true;
  }
  m_before = m_last;
  m_last = {time, value};
  ++m_stepsInWave;
}

void RPeakTracker::Finish() {
  if (m_hasPeak) m_peakTimes.push_back(m_peakTime);
  m_hasPeak = false;
  m_stepsInWave = 0;
}

}  // namespace PendrelHost
