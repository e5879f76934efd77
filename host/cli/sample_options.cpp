#include "host/cli/sample_options.h"

#include <cstdint>

#include "host/cli/option_values.h"

namespace PendrelHost {

namespace {

using NumberSetting = double SyntheticEcgSettings::*;

struct NumberOption {
  const char* name;
  NumberSetting setting;
};

constexpr NumberOption kNumberOptions[] = {
    {"--sample-rate", &SyntheticEcgSettings::sampleRate},
    {"--duration", &SyntheticEcgSettings::duration},
    {"--heart-rate", &SyntheticEcgSettings::meanHeartRate},
    {"--heart-rate-sd", &SyntheticEcgSettings::heartRateStd},
    {"--qrs-duration", &SyntheticEcgSettings::qrsDuration},
    {"--noise", &SyntheticEcgSettings::noise},
    {"--baseline-wander", &SyntheticEcgSettings::baselineWander},
    {"--mains", &SyntheticEcgSettings::mains},
    {"--mains-frequency", &SyntheticEcgSettings::mainsFrequency},
};

// Options that add an event at a time: "S,VALUE".
bool ParseRhythmOption(const std::string& option, const std::string& value,
                       RhythmEvents& rhythm) {
  const auto event = [&] { return NumberPairArgument(option, value); };
  if (option == "--rate-change") {
    const auto [time, rate] = event();
    rhythm.rateChanges.push_back({time, rate});
  } else if (option == "--pause") {
    const auto [time, length] = event();
    rhythm.pauses.push_back({time, length});
  } else if (option == "--premature") {
    const auto [time, coupling] = event();
    rhythm.prematureBeats.push_back({time, coupling});
  } else if (option == "--beat-height") {
    const auto [time, factor] = event();
    rhythm.beatHeights.push_back({time, factor});
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParseSampleOption(const std::string& option, const std::string& value,
                       SyntheticEcgSettings& sample) {
  for (const NumberOption& number : kNumberOptions) {
    if (option == number.name) {
      sample.*number.setting = NumberArgument(option, value);
      return true;
    }
  }
  if (option == "--seed") {
    sample.seed = static_cast<uint64_t>(NumberArgument(option, value));
    return true;
  }
  return ParseRhythmOption(option, value, sample.rhythm);
}

}  // namespace PendrelHost
