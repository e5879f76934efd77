#include "analysis/calc/calc_answer_lines.h"

#include <stdexcept>

#include "analysis/calc/channel_calc_modes.h"
#include "analysis/dialogs/answer_words.h"

namespace Rhyth {

namespace {

class Refusal : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The measures in the order the dialog lists them.
constexpr LONG kListedModes[] = {kCalcModeBeatPeriod, kCalcModeBeatPeriodChange,
                                 kCalcModeBeatRate, kCalcModeBeatComplexity};

LONG ListedMode(const std::string& measure) {
  std::string known;
  for (const LONG mode : kListedModes) {
    const std::string title = CalcModeTitle(mode).ToUtf8String();
    if (FoldedName(title) == FoldedName(measure) || std::to_string(mode) == measure) return mode;
    known += (known.empty() ? "" : ", ") + title + " (" + std::to_string(mode) + ")";
  }
  throw Refusal("no beat measure is named '" + measure + "' (the measures: " + known + ")");
}

void ApplyLine(CalcAnswerTarget& target, const std::string& line) {
  const auto equals = line.find('=');
  if (equals == std::string::npos) throw Refusal("expected NAME=VALUE, not '" + line + "'");
  const std::string name = TrimmedText(line.substr(0, equals));
  const std::string value = TrimmedText(line.substr(equals + 1));
  const std::string key = FoldedName(name);
  if (key == "parameter" || key == "rhythparameter") {
    target.ChooseMode(ListedMode(value));
  } else if (key == "setguidelines") {
    if (value != "0" && value != "1") throw Refusal(name + " takes 0 or 1, not '" + value + "'");
    target.SetGuideLines(value == "1");
  } else {
    throw Refusal("the calculation dialog has no field '" + name + "'");
  }
}

// The lines straight into a settings copy.
class SettingsTarget final : public CalcAnswerTarget {
 public:
  explicit SettingsTarget(ChannelCalcSettings& copy) : m_copy(copy) {}
  void ChooseMode(LONG mode) override { m_copy.mode = mode; }
  void SetGuideLines(bool set) override { m_copy.first = set; }

 private:
  ChannelCalcSettings& m_copy;
};

}  // namespace

std::u16string ApplyCalcAnswerLines(ChannelCalcSettings& copy,
                                    const std::vector<std::u16string>& lines) {
  SettingsTarget target(copy);
  return ApplyCalcAnswerLines(target, lines);
}

std::u16string ApplyCalcAnswerLines(CalcAnswerTarget& target,
                                    const std::vector<std::u16string>& lines) {
  try {
    for (const std::u16string& line : lines) ApplyLine(target, Quor::String(line.c_str()).ToUtf8String());
  } catch (const Refusal& refusal) {
    return Quor::String::FromUtf8(refusal.what()).ToStdWString();
  }
  return {};
}

}  // namespace Rhyth
