// The waves of the built-in sample's dynamical ECG model (after McSharry, Clifford, Tarassenko
// and Smith, IEEE Trans Biomed Eng 50:289-294, 2003). Each wave is a Gaussian bump of a height
// in mV at a position on a clock, and the ECG's value z follows
//   dz/dt = (clock speed) * (slope of the waves on their clock) - (z - baseline),
// so that z draws the waves at their heights whatever the clocks' speeds. The P and T waves
// run on the cardiac phase (radians, 0 at the R wave, once round per RR interval), so they
// stretch and shrink with the heart's rate as in the published model. The Q, R and S waves run
// on the QRS clock: time from their R wave in units of the QRS duration, so that a complex
// keeps its duration at any rate, as a real one does, and the R wave keeps the sharp peak of a
// recorded one.
#pragma once

namespace PendrelHost {

// d/dphase of the P and T waves' sum, in mV per radian.
double PAndTSlope(double phase);

// d/doffset of the Q, R and S waves' sum, in mV per QRS duration, `offset` QRS durations from
// the R wave.
double QrsSlope(double offset);

// The Q, R and S waves lie within this many QRS durations of the R wave (their Gaussians have
// fallen below a millionth of their heights beyond it).
inline constexpr double kQrsReach = 0.8;

// The R wave's peak lies within this many QRS durations of its time, between the Q and S waves.
inline constexpr double kRWaveHalfWidth = 0.2;

}  // namespace PendrelHost
