#include "host/cli/channel_options.h"

#include <stdexcept>

#include "host/cli/option_values.h"
#include "host/cli/sample_options.h"

namespace PendrelHost {

namespace {

void Define(ChannelOptions& options, const std::string& definition) {
  const std::size_t equals = definition.find('=');
  if (equals == std::string::npos || equals == 0) {
    throw std::invalid_argument("--define needs NAME=FORMULA, not '" + definition + "'");
  }
  options.definitions.emplace_back(definition.substr(0, equals), definition.substr(equals + 1));
}

}  // namespace

ChannelOptions ParseChannelOptions(const std::vector<std::string>& arguments) {
  ChannelOptions options;
  std::vector<std::string> positional;
  std::string analysisOption;  // one that applies only with --calc
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() < 2 || argument.rfind("--", 0) != 0) {
      positional.push_back(argument);
      continue;
    }
    if (i + 1 >= arguments.size()) throw std::invalid_argument(argument + " needs a value");
    const std::string& value = arguments[++i];
    if (argument == "--define") {
      Define(options, value);
    } else if (argument == "--calc") {
      options.calc = value;
    } else if (argument == "--from") {
      options.from = NumberArgument(argument, value);
      ParseSettingsOption(argument, value, options.settings);
    } else if (argument == "--to") {
      options.to = NumberArgument(argument, value);
      ParseSettingsOption(argument, value, options.settings);
    } else if (IsSettingsOption(argument)) {
      ParseSettingsOption(argument, value, options.settings);
      analysisOption = argument;
    } else if (!ParseSampleOption(argument, value, options.sample)) {
      throw std::invalid_argument("unknown option " + argument);
    }
  }
  if (options.calc) {
    if (!options.definitions.empty()) throw std::invalid_argument("--define does not apply with --calc");
    if (positional.size() > 1) throw std::invalid_argument("too many arguments: '" + positional[1] + "'");
    if (!positional.empty()) options.recording = positional[0];
    return options;
  }
  if (!analysisOption.empty()) throw std::invalid_argument(analysisOption + " applies only with --calc");
  if (positional.empty()) throw std::invalid_argument("a formula is needed");
  if (positional.size() > 2) throw std::invalid_argument("too many arguments: '" + positional[2] + "'");
  if (positional.size() == 2) options.recording = positional[0];
  options.formula = positional.back();
  return options;
}

}  // namespace PendrelHost
