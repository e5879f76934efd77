// Measuring detected beats against reference beats, as detectors are usually compared: each
// reference beat matches the nearest detected beat within a tolerance; detected beats that
// match none are false.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/channels/computed_channels.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost::Testing {

struct BeatMatch {
  std::size_t matched = 0;
  std::size_t falseBeats = 0;
  double worstOffset = 0.0;  // s
};

inline BeatMatch MatchBeats(const std::vector<double>& reference, const std::vector<double>& detected,
                            double tolerance) {
  BeatMatch result;
  std::vector<bool> used(detected.size(), false);
  for (double beat : reference) {
    const auto nearest = std::min_element(detected.begin(), detected.end(), [&](double a, double b) {
      return std::abs(a - beat) < std::abs(b - beat);
    });
    if (nearest == detected.end() || std::abs(*nearest - beat) > tolerance) continue;
    ++result.matched;
    used[static_cast<std::size_t>(nearest - detected.begin())] = true;
    result.worstOffset = std::max(result.worstOffset, std::abs(*nearest - beat));
  }
  result.falseBeats = static_cast<std::size_t>(std::count(used.begin(), used.end(), false));
  return result;
}

// The folder of the MIT-BIH excerpt among the shared test recordings.
inline std::filesystem::path MitBihExcerptFolder() { return SharedDataFolder() / "mitdb-100s"; }

// The times, in seconds, of the excerpt's reference beats (its annotations at 360 Hz).
inline std::vector<double> MitBihReferenceBeats() {
  std::vector<double> times;
  std::ifstream beats(MitBihExcerptFolder() / "100s-beats.csv");
  std::string line;
  std::getline(beats, line);
  while (std::getline(beats, line)) times.push_back(std::stod(line.substr(0, line.find(','))) / 360.0);
  return times;
}

// The times, in seconds, of the events of the detection chain's peak detector over channel 1.
inline std::vector<double> ChainPeakTimes(const Recording& recording) {
  const EventEnumeratorRegistry registry;
  ComputedChannels channels(recording, registry);
  DefineDetectionChain(channels, recording.SampleRate());
  std::vector<double> times;
  for (int64_t tick : EventTicks(channels.Channel(*channels.Find("Rhyth_vDET")))) {
    times.push_back(static_cast<double>(tick) * recording.TickPeriod());
  }
  return times;
}

}  // namespace PendrelHost::Testing
