#include "analysis/dialogs/settings_answer_lines.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "analysis/dialogs/answer_words.h"
#include "analysis/module_strings.h"

namespace Rhyth {

namespace {

class Refusal : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class Kind { kNumber, kCount, kFlag };

// A field the dialog shows, by its label (and the name it was first answered
// by, still accepted), the least value it takes and where it is kept.
struct Field {
  const char *label;
  const char *formerName;
  Kind kind;
  double least; // the value must be above this (at or above when `inclusive`)
  bool inclusive;
  double *(*number)(Settings &);
  DWORD *(*count)(Settings &);
  BYTE *(*flag)(Settings &);
};

#define RHYTH_NUMBER(label, former, least, inclusive, member)                  \
  {                                                                            \
    label, former, Kind::kNumber, least, inclusive,                            \
        [](Settings &s) { return &s.member; }, nullptr, nullptr                \
  }
#define RHYTH_COUNT(label, former, least, member)                              \
  {                                                                            \
    label, former, Kind::kCount, least, true, nullptr,                         \
        [](Settings &s) { return &s.member; }, nullptr                         \
  }
#define RHYTH_FLAG(label, former, member)                                      \
  {                                                                            \
    label, former, Kind::kFlag, 0, true, nullptr, nullptr,                     \
        [](Settings &s) { return &s.member; }                                  \
  }

// The halves of the dialog's pairs of edits ("RR Interval: low - high") have no
// label of their own; they go by the names below, or together by the pair's.
const Field kFields[] = {
    RHYTH_NUMBER("Low pass filter", nullptr, 0, false, detection.lowPassCutoff),
    RHYTH_NUMBER("Window", "Auto levelling", 0, false,
                 detection.levellingWindow),
    RHYTH_NUMBER("Noise", nullptr, 0, true, detection.noiseLevel),
    RHYTH_NUMBER("Minimum peak height", nullptr, 0, false,
                 detection.minPeakHeight),
    RHYTH_NUMBER("Typical QRS width", nullptr, 0, false, detection.qrsWidth),
    RHYTH_NUMBER("Minimum period", nullptr, 0, false, detection.minPeriod),
    RHYTH_NUMBER("RR low limit", nullptr, 0, true, classifier.rrLow),
    RHYTH_NUMBER("RR high limit", nullptr, 0, false, classifier.rrHigh),
    RHYTH_NUMBER("Complexity low limit", nullptr, 0, true,
                 classifier.complexityLow),
    RHYTH_NUMBER("Complexity high limit", nullptr, 0, false,
                 classifier.complexityHigh),
    RHYTH_NUMBER("Histogram bin width", "Bin width", 0, false,
                 analysis.binWidth),
    RHYTH_COUNT("Auto", "Automatic bin width", 0, analysis.automaticBinWidth),
    RHYTH_NUMBER("pRR threshold", "pRRx threshold", 0, false,
                 analysis.prrxThreshold),
    RHYTH_NUMBER("SDARR averaging", "SDARR segment", 0, false,
                 analysis.sdarrSegmentLength),
    RHYTH_FLAG("Exclude ectopics from analysis", "Exclude ectopics",
               analysis.excludeEctopic),
    RHYTH_NUMBER("Maximum frequency", nullptr, 0, false, spectrum.maxFrequency),
    RHYTH_NUMBER("VLF low", nullptr, 0, true, spectrum.vlfLow),
    RHYTH_NUMBER("VLF high", nullptr, 0, false, spectrum.vlfHigh),
    RHYTH_NUMBER("LF low", nullptr, 0, true, spectrum.lfLow),
    RHYTH_NUMBER("LF high", nullptr, 0, false, spectrum.lfHigh),
    RHYTH_NUMBER("HF low", nullptr, 0, true, spectrum.hfLow),
    RHYTH_NUMBER("HF high", nullptr, 0, false, spectrum.hfHigh),
    RHYTH_COUNT("Number of frequencies", nullptr, 1, spectrum.frequencyCount),
    RHYTH_COUNT("Spectral window", nullptr, 0, spectrum.window),
};

// A pair of edits under one label, answered as "LABEL=LOW-HIGH".
struct FieldPair {
  const char *label;
  const char *low;
  const char *high;
};

const FieldPair kPairs[] = {
    {"RR Interval", "RR low limit", "RR high limit"},
    {"Complexity", "Complexity low limit", "Complexity high limit"},
    {"VLF", "VLF low", "VLF high"},
    {"LF", "LF low", "LF high"},
    {"HF", "HF low", "HF high"},
};

#undef RHYTH_NUMBER
#undef RHYTH_COUNT
#undef RHYTH_FLAG

double Number(const std::string &name, const std::string &text) {
  errno = 0;
  char *end = nullptr;
  const double value = text.empty() ? NAN : std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno == ERANGE ||
      !std::isfinite(value)) {
    throw Refusal(name + " takes a number, not '" + text + "'");
  }
  return value;
}

const Field &FieldNamed(const char *label) {
  return *std::find_if(std::begin(kFields), std::end(kFields),
                       [&](const Field &field) {
                         return std::string_view(field.label) == label;
                       });
}

// "LOW-HIGH" (blanks allowed around the dash) as the texts of its two numbers;
// a number's own minus sign or exponent is not taken for the dash.
std::pair<std::string, std::string> SplitRange(const std::string &name,
                                               const std::string &text) {
  const char *begin = text.c_str();
  char *end = nullptr;
  std::strtod(begin, &end);
  const std::string rest = TrimmedText(std::string(end));
  if (end == begin || rest.empty() || rest[0] != '-') {
    throw Refusal(name + " takes LOW-HIGH, not '" + text + "'");
  }
  return {TrimmedText(std::string(begin, static_cast<const char *>(end))),
          TrimmedText(rest.substr(1))};
}

void SetField(SettingsAnswerTarget &target, const Field &field,
              const std::string &text) {
  const double value = Number(field.label, text);
  if (field.inclusive ? value < field.least : value <= field.least) {
    throw Refusal(std::string(field.label) + " must be " +
                  (field.inclusive ? "at least " : "above ") +
                  (field.least == 0 ? "0" : "1") + ", not " + text);
  }
  if (field.kind == Kind::kCount &&
      (value != std::floor(value) || value > 1e6)) {
    throw Refusal(std::string(field.label) + " takes a whole number, not " +
                  text);
  }
  if (field.kind == Kind::kFlag && value != 0 && value != 1) {
    throw Refusal(std::string(field.label) + " takes 0 or 1, not " + text);
  }
  if (target.ShowValue(field.label, value))
    return;
  Settings &copy = target.Copy();
  switch (field.kind) {
  case Kind::kNumber:
    *field.number(copy) = value;
    return;
  case Kind::kCount:
    *field.count(copy) = DWORD(value);
    return;
  case Kind::kFlag:
    *field.flag(copy) = BYTE(value);
    return;
  }
}

void PickPreset(SettingsAnswerTarget &dialog, const std::string &name) {
  std::string known;
  for (DWORD preset = 0; preset < kPresetCount; ++preset) {
    const std::string species =
        ModuleString(PresetNameId(preset)).ToUtf8String();
    if (FoldedName(species) == FoldedName(name)) {
      dialog.PickPreset(preset);
      return;
    }
    known += (preset ? ", " : "") + species;
  }
  throw Refusal("no preset is named '" + name + "' (the presets: " + known +
                ")");
}

void ChooseChannel(SettingsAnswerTarget &dialog, const std::string &channel) {
  const auto &choices = dialog.SourceChoices();
  auto chosen =
      std::find_if(choices.begin(), choices.end(), [&](const auto &choice) {
        return FoldedName(choice.title.ToUtf8String()) == FoldedName(channel);
      });
  if (chosen == choices.end() && !channel.empty() &&
      std::all_of(channel.begin(), channel.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
      })) {
    const unsigned long index =
        channel.size() < 10 ? std::stoul(channel) : ~0ul;
    chosen =
        std::find_if(choices.begin(), choices.end(),
                     [&](const auto &choice) { return choice.index == index; });
  }
  if (chosen == choices.end() || !dialog.ChooseSource(chosen->index)) {
    std::string known;
    for (const auto &choice : choices) {
      known += (known.empty() ? "" : ", ") + std::to_string(choice.index) + " " +
               choice.title.ToUtf8String();
    }
    throw Refusal("no channel '" + channel + "' can be analysed" +
                  (known.empty() ? std::string(" (the recording has none)")
                                 : " (the channels: " + known + ")"));
  }
}

void ApplyLine(SettingsAnswerTarget &dialog, const std::string &line) {
  const auto equals = line.find('=');
  if (equals == std::string::npos)
    throw Refusal("expected NAME=VALUE, not '" + line + "'");
  const std::string name = TrimmedText(line.substr(0, equals));
  const std::string value = TrimmedText(line.substr(equals + 1));
  const std::string key = FoldedName(name);
  if (key == "preset")
    return PickPreset(dialog, value);
  if (key == "channel")
    return ChooseChannel(dialog, value);
  if (key == "selectiononly") {
    const double only = Number("selectionOnly", value);
    if (only != 0 && only != 1)
      throw Refusal("selectionOnly takes 0 or 1, not " + value);
    dialog.SetSelectionOnly(only != 0);
    return;
  }
  for (const FieldPair &pair : kPairs) {
    if (FoldedName(pair.label) == key) {
      const auto [low, high] = SplitRange(pair.label, value);
      SetField(dialog, FieldNamed(pair.low), low);
      return SetField(dialog, FieldNamed(pair.high), high);
    }
  }
  for (const Field &field : kFields) {
    if (FoldedName(field.label) == key ||
        (field.formerName && FoldedName(field.formerName) == key))
      return SetField(dialog, field, value);
  }
  throw Refusal("the settings have no field '" + name +
                "' (pendrel analyse --help lists them)");
}

std::u16string Said(const Refusal &refusal) {
  return Quor::String::FromUtf8(refusal.what()).ToStdWString();
}

} // namespace

std::u16string ApplySettingsAnswerLine(SettingsAnswerTarget &target,
                                       const std::u16string &line) {
  try {
    ApplyLine(target, Quor::String(line.c_str()).ToUtf8String());
  } catch (const Refusal &refusal) {
    return Said(refusal);
  }
  return {};
}

std::u16string CheckSettingsTogether(SettingsAnswerTarget &target) {
  using Problem = SettingsAnswerTarget::TogetherProblem;
  switch (target.CheckTogether()) {
  case Problem::kNone:
    return {};
  case Problem::kRROrder:
    return u"RR low limit must be below RR high limit";
  case Problem::kComplexityOrder:
    return u"Complexity low limit must be below Complexity high limit";
  case Problem::kSpectrum:
    break;
  }
  return u"the histogram and spectrum values do not fit together (band edges "
         u"in order, a usable bin width and number of frequencies)";
}

std::u16string
ApplySettingsAnswerLines(SettingsAnswerTarget &target,
                         const std::vector<std::u16string> &lines) {
  for (const std::u16string &line : lines) {
    const std::u16string refusal = ApplySettingsAnswerLine(target, line);
    if (!refusal.empty())
      return refusal;
  }
  return CheckSettingsTogether(target);
}

} // namespace Rhyth
