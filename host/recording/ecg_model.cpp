#include "host/recording/ecg_model.h"

#include <cmath>
#include <numbers>

namespace PendrelHost {

namespace {

struct Wave {
  double phase;      // radians; the R wave is at 0
  double amplitude;
  double width;      // radians
};

constexpr double kPi = std::numbers::pi;
constexpr Wave kWaves[] = {
    {-kPi / 3.0, 1.2, 0.25},   // P
    {-kPi / 12.0, -5.0, 0.1},  // Q
    {0.0, 30.0, 0.1},          // R
    {kPi / 12.0, -7.5, 0.1},   // S
    {kPi / 2.0, 0.75, 0.4},    // T
};
// Beyond this many widths a wave's Gaussian is below 1e-7 of its peak.
constexpr double kReachInWidths = 5.7;

double Wrap(double angle) {
  if (angle > kPi) return angle - 2.0 * kPi;
  if (angle <= -kPi) return angle + 2.0 * kPi;
  return angle;
}

}  // namespace

double WaveDrive(double phase) {
  double drive = 0.0;
  for (const Wave& wave : kWaves) {
    const double distance = Wrap(phase - wave.phase);
    if (std::abs(distance) > kReachInWidths * wave.width) continue;
    drive -= wave.amplitude * distance * std::exp(-distance * distance / (2.0 * wave.width * wave.width));
  }
  return drive;
}

}  // namespace PendrelHost
