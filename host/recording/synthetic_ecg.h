// The built-in sample recording: one ECG lead from a dynamical model after McSharry, Clifford,
// Tarassenko and Smith (IEEE Trans Biomed Eng 50:289-294, 2003), with a chosen mean rate, HRV
// spectrum, QRS duration, rhythm events, noise, baseline wander, mains interference and seed,
// at any sample rate. The true times of its R waves are kept, so that detectors can be
// measured against them.
#pragma once

#include <cstdint>
#include <vector>

#include "host/recording/recording.h"
#include "host/recording/rhythm_events.h"
#include "host/recording/rr_process.h"

namespace PendrelHost {

struct SyntheticEcgSettings {
  double sampleRate = 1000.0;   // Hz
  double duration = 300.0;      // s
  double meanHeartRate = 60.0;  // beats per minute
  double heartRateStd = 1.0;    // beats per minute
  HrvSpectrum spectrum;
  double qrsDuration = 0.08;     // s
  RhythmEvents rhythm;
  double noise = 0.01;           // mV, standard deviation of white measurement noise
  double baselineWander = 0.15;  // mV, amplitude of the baseline's swing with respiration
  double mains = 0.0;            // mV, amplitude of interference from the mains
  double mainsFrequency = 50.0;  // Hz
  uint64_t seed = 1;
};

struct SyntheticEcg {
  Recording recording;            // one closed record with one channel, "ECG" in mV
  std::vector<double> beatTimes;  // s from the record start: the peaks of the noise-free R waves
};

// Throws RecordingError for settings outside what a recording can hold.
SyntheticEcg MakeSyntheticEcg(const SyntheticEcgSettings& settings);

}  // namespace PendrelHost
