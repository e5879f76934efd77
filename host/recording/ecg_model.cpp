#include "host/recording/ecg_model.h"

#include <cmath>
#include <numbers>

namespace PendrelHost {

namespace {

struct Wave {
  double position;  // on the wave's clock
  double height;    // mV
  double width;     // standard deviation, on the wave's clock
};

constexpr double kPi = std::numbers::pi;

// Radians of the cardiac phase.
constexpr Wave kPAndT[] = {
    {-kPi / 3.0, 0.15, 0.25},  // P
    {kPi / 2.0, 0.3, 0.4},     // T
};

// QRS durations. The R wave is narrow against the complex, as in recorded ECGs: the form
// factor of its centre over a window of the QRS duration is about 1.2, as in the MIT-BIH
// arrhythmia database's record 100, where a complex drawn as wide as its Q and S waves' spacing
// would give about 0.9.
constexpr Wave kQrs[] = {
    {-0.3, -0.15, 0.08},  // Q
    {0.0, 1.2, 0.1},      // R
    {0.3, -0.3, 0.08},    // S
};

// Beyond this many widths a wave's Gaussian is below 1e-7 of its height.
constexpr double kReachInWidths = 5.7;

double Wrap(double angle) {
  if (angle > kPi) return angle - 2.0 * kPi;
  if (angle <= -kPi) return angle + 2.0 * kPi;
  return angle;
}

// The slope of a Gaussian bump of the wave's height, `distance` from its position.
double Slope(const Wave& wave, double distance) {
  if (std::abs(distance) > kReachInWidths * wave.width) return 0.0;
  const double variance = wave.width * wave.width;
  return -wave.height * distance / variance * std::exp(-distance * distance / (2.0 * variance));
}

}  // namespace

double PAndTSlope(double phase) {
  double slope = 0.0;
  for (const Wave& wave : kPAndT) slope += Slope(wave, Wrap(phase - wave.position));
  return slope;
}

double QrsSlope(double offset) {
  double slope = 0.0;
  for (const Wave& wave : kQrs) slope += Slope(wave, offset - wave.position);
  return slope;
}

}  // namespace PendrelHost
