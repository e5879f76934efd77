// A day of RR intervals as the benchmarks analyse it: at whole milliseconds, with a breathing
// rhythm, a slow wave and noise, the same every run.
#pragma once

#include <cmath>
#include <random>
#include <vector>

namespace BenchSupport {

inline constexpr double kMillisecondTick = 0.001;

inline std::vector<double> DayOfIntervals(std::size_t count) {
  std::mt19937 random(24);
  std::normal_distribution<double> noise(0.0, 0.02);
  std::vector<double> rr;
  double elapsed = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double interval = 0.85 + 0.04 * std::sin(2 * M_PI * 0.25 * elapsed) +
                            0.03 * std::sin(2 * M_PI * 0.03 * elapsed) + noise(random);
    rr.push_back(std::round(interval / kMillisecondTick) * kMillisecondTick);
    elapsed += rr.back();
  }
  return rr;
}

}  // namespace BenchSupport
