#include "host/cli/settings_options.h"

#include "core/quor_string.h"
#include "host/cli/analysis_session.h"
#include "host/cli/dialog_answer.h"
#include "host/cli/option_values.h"

namespace PendrelHost {

namespace {

std::u16string Line(const std::string &name, const std::string &value) {
  return Quor::String::FromUtf8(name + "=" + value).ToStdWString();
}

// The preset first, so that fields set beside it are not overwritten by it.
std::vector<std::u16string> AnswerLines(const SettingsRequest &request) {
  std::vector<std::u16string> lines;
  if (request.preset)
    lines.push_back(Line("preset", *request.preset));
  if (request.channel)
    lines.push_back(Line("channel", *request.channel));
  if (request.from || request.to)
    lines.push_back(Line("selectionOnly", "1"));
  for (const std::string &field : request.fields) {
    lines.push_back(Quor::String::FromUtf8(field).ToStdWString());
  }
  return lines;
}

} // namespace

bool IsSettingsOption(const std::string &option) {
  return option == "--from" || option == "--to" || option == "--channel" ||
         option == "--preset" || option == "--set";
}

void ParseSettingsOption(const std::string &option, const std::string &value,
                         SettingsRequest &request) {
  if (option == "--from" || option == "--to") {
    const double seconds = NumberArgument(option, value);
    if (seconds < 0)
      throw std::invalid_argument(option + " must be 0 s or later");
    (option == "--from" ? request.from : request.to) = seconds;
    if (request.from && request.to && *request.to <= *request.from) {
      throw std::invalid_argument("--to must come after --from");
    }
  } else if (option == "--channel") {
    request.channel = value;
  } else if (option == "--preset") {
    request.preset = value;
  } else if (option == "--set") {
    if (value.find('=') == std::string::npos) {
      throw std::invalid_argument("--set needs NAME=VALUE, not '" + value +
                                  "'");
    }
    request.fields.push_back(value);
  } else {
    throw std::invalid_argument("unknown option " + option);
  }
}

void ApplySettings(AnalysisSession &session, const SettingsRequest &request) {
  if (request.from || request.to)
    session.SelectSeconds(request.from.value_or(0.0), request.to);
  AnswerNextDialog(AnswerLines(request),
                   [&] { session.FireMenu(u"Rhyth|Settings"); },
                   "the settings command showed no settings dialog");
}

} // namespace PendrelHost
