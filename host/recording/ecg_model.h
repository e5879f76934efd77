// The waves of the dynamical ECG model (McSharry et al. 2003): P, Q, R, S and T as Gaussian
// events at fixed phases of the cardiac cycle, which drive the ECG's value z through
//   dz/dt = (w / 2 pi) * WaveDrive(phase) - (z - baseline),
// w being the angular speed. The published model leaves out the factor w / 2 pi (it is 1 at
// 60 beats per minute); with it, the waves keep their height at fast rates, as real ones do.
#pragma once

namespace PendrelHost {

// The sum over the waves of -a * d * exp(-d^2 / (2 b^2)), d the phase's distance from the wave.
double WaveDrive(double phase);

// The model's z is a few hundredths high; this brings a 60-per-minute beat to the model
// authors' scale of -0.4 to 1.2 mV.
inline constexpr double kMillivoltsPerModelUnit = 27.0;

}  // namespace PendrelHost
