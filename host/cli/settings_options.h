// The analysis settings a command asks for (the region, the source channel, a
// species preset, fields by their labels) and their application: the region
// becomes the host selection, and the rest is the answer to the module's
// settings dialog, given as lines in the dialog's own words so that the host
// needs nothing of the module's code.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace PendrelHost {

class AnalysisSession;

// The settings dialog would not take what was asked; its reason, as one line.
class SettingsRefused : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct SettingsRequest {
  std::optional<double> from; // s
  std::optional<double> to;   // s
  std::optional<std::string> channel;
  std::optional<std::string> preset;
  std::vector<std::string> fields; // "NAME=VALUE"

  bool IsEmpty() const {
    return !from && !to && !channel && !preset && fields.empty();
  }
};

// --from, --to, --channel, --preset and --set (each with a value).
bool IsSettingsOption(const std::string &option);
// Takes the value of one of those options; throws std::invalid_argument for a
// value that does not fit the option or the others given.
void ParseSettingsOption(const std::string &option, const std::string &value,
                         SettingsRequest &request);

// Selects the region (and turns on selection-only) and runs the settings
// command with the rest as the dialog's answer. Throws SettingsRefused when the
// dialog refuses it, SessionError when the region does not fit the recording.
void ApplySettings(AnalysisSession &session, const SettingsRequest &request);

} // namespace PendrelHost
