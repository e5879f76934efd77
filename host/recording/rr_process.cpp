#include "host/recording/rr_process.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace PendrelHost {

namespace {
// Enough sinusoids per peak for a smooth spectrum, few enough to sum once per beat.
constexpr int kComponentsPerPeak = 64;
// An interval never shrinks below this part of the mean, however the components add up.
constexpr double kShortestRrFraction = 0.25;
}  // namespace

RrProcess::RrProcess(double meanRr, double rrStd, const HrvSpectrum& spectrum, SeededRandom& random)
    : m_meanRr(meanRr) {
  const double variance = rrStd * rrStd;
  const double ratio = std::max(spectrum.lfHfRatio, 0.0);
  const double lfPower = variance * ratio / (1.0 + ratio);
  AddPeak(spectrum.lfFrequency, spectrum.lfWidth, lfPower, random);
  AddPeak(spectrum.hfFrequency, spectrum.hfWidth, variance - lfPower, random);
}

void RrProcess::AddPeak(double frequency, double width, double power, SeededRandom& random) {
  if (power <= 0.0) return;
  // A random-phase cosine of amplitude A has variance A^2 / 2.
  const double amplitude = std::sqrt(2.0 * power / kComponentsPerPeak);
  for (int i = 0; i < kComponentsPerPeak; ++i) {
    const double drawn = std::abs(frequency + width * random.Normal());
    m_components.push_back({2.0 * std::numbers::pi * drawn, amplitude, 2.0 * std::numbers::pi * random.Uniform()});
  }
}

double RrProcess::At(double time) const {
  double rr = m_meanRr;
  for (const Component& c : m_components) rr += c.amplitude * std::cos(c.angularFrequency * time + c.phase);
  return std::max(rr, kShortestRrFraction * m_meanRr);
}

}  // namespace PendrelHost
