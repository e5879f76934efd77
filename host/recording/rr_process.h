// The RR interval process of the synthetic ECG: a mean interval varied by two spectral
// components, a low-frequency (Mayer wave) and a high-frequency (respiratory) one, each a
// Gaussian peak in the power spectrum, as in McSharry et al. (2003). The process is a sum of
// sinusoids whose frequencies are drawn from those peaks, with random phases, so that it can be
// evaluated at any time without generating the whole series first.
#pragma once

#include <vector>

#include "host/recording/seeded_random.h"

namespace PendrelHost {

struct HrvSpectrum {
  double lfFrequency = 0.1;   // Hz
  double lfWidth = 0.01;      // Hz, standard deviation of the peak
  double hfFrequency = 0.25;  // Hz
  double hfWidth = 0.01;      // Hz
  double lfHfRatio = 0.5;     // power of the LF peak over that of the HF peak
};

class RrProcess {
 public:
  // meanRr and rrStd in seconds; or 1 and a deviation relative to the mean, for a process of
  // ratios to the mean interval.
  RrProcess(double meanRr, double rrStd, const HrvSpectrum& spectrum, SeededRandom& random);

  // The RR interval (or ratio) of a beat that starts at `time` seconds.
  double At(double time) const;

 private:
  struct Component {
    double angularFrequency;  // rad/s
    double amplitude;         // s
    double phase;
  };

  void AddPeak(double frequency, double width, double power, SeededRandom& random);

  double m_meanRr;
  std::vector<Component> m_components;
};

}  // namespace PendrelHost
