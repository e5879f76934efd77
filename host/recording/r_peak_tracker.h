// Finds the peaks of the R waves while the model is integrated: the largest local maximum of z
// while the QRS clock is within the R wave, refined between integration steps by a parabola.
#pragma once

#include <vector>

namespace PendrelHost {

class RPeakTracker {
 public:
  // Each integration step in time order: its time, value and offset from the nearest R wave
  // in QRS durations.
  void Observe(double time, double value, double qrsOffset);
  // Ends a wave that the recording cuts off.
  void Finish();

  const std::vector<double>& PeakTimes() const { return m_peakTimes; }

 private:
  struct Step {
    double time;
    double value;
  };

  std::vector<double> m_peakTimes;
  Step m_before{};
  Step m_last{};
  int m_stepsInWave = 0;
  bool m_hasPeak = false;
  double m_peakValue = 0.0;
  double m_peakTime = 0.0;
};

}  // namespace PendrelHost
