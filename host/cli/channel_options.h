// The arguments of `pendrel channel`.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/cli/settings_options.h"
#include "host/recording/synthetic_ecg.h"

namespace PendrelHost {

struct ChannelOptions {
  std::optional<std::string> recording;  // a file; none for the built-in sample
  std::string formula;                   // empty with `calc`
  // The beat measure of the analysis module's channel calculation to print instead of a
  // formula; the recording is then analysed first, with `settings`.
  std::optional<std::string> calc;
  SettingsRequest settings;
  std::vector<std::pair<std::string, std::string>> definitions;  // name, formula, in order
  double from = 0.0;                                              // s from each record's start
  std::optional<double> to;
  SyntheticEcgSettings sample;  // the built-in sample's settings
};

// Throws std::invalid_argument with a message for arguments that do not fit.
ChannelOptions ParseChannelOptions(const std::vector<std::string>& arguments);

}  // namespace PendrelHost
