#include "analysis/dialogs/settings_answer_lines.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "analysis/dialogs/settings_dialog.h"
#include "analysis/module_strings.h"

namespace Rhyth {

namespace {

class Refusal : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class Kind { kNumber, kCount, kFlag };

// A field the dialog shows, by its label, the least value it takes and where it
// is kept.
struct Field {
  const char *label;
  Kind kind;
  double least; // the value must be above this (at or above when `inclusive`)
  bool inclusive;
  double *(*number)(Settings &);
  DWORD *(*count)(Settings &);
  BYTE *(*flag)(Settings &);
};

#define RHYTH_NUMBER(label, least, inclusive, member)                          \
  {                                                                            \
    label, Kind::kNumber, least, inclusive,                                    \
        [](Settings &s) { return &s.member; }, nullptr, nullptr                \
  }
#define RHYTH_COUNT(label, least, member)                                      \
  {                                                                            \
    label, Kind::kCount, least, true, nullptr,                                 \
        [](Settings &s) { return &s.member; }, nullptr                         \
  }
#define RHYTH_FLAG(label, member)                                              \
  {                                                                            \
    label, Kind::kFlag, 0, true, nullptr, nullptr,                             \
        [](Settings &s) { return &s.member; }                                  \
  }

const Field kFields[] = {
    RHYTH_NUMBER("Low pass filter", 0, false, detection.lowPassCutoff),
    RHYTH_NUMBER("Auto levelling", 0, false, detection.levellingWindow),
    RHYTH_NUMBER("Noise", 0, true, detection.noiseLevel),
    RHYTH_NUMBER("Minimum peak height", 0, false, detection.minPeakHeight),
    RHYTH_NUMBER("Typical QRS width", 0, false, detection.qrsWidth),
    RHYTH_NUMBER("Minimum period", 0, false, detection.minPeriod),
    RHYTH_NUMBER("RR low limit", 0, true, classifier.rrLow),
    RHYTH_NUMBER("RR high limit", 0, false, classifier.rrHigh),
    RHYTH_NUMBER("Complexity low limit", 0, true, classifier.complexityLow),
    RHYTH_NUMBER("Complexity high limit", 0, false, classifier.complexityHigh),
    RHYTH_NUMBER("Bin width", 0, false, analysis.binWidth),
    RHYTH_COUNT("Automatic bin width", 0, analysis.automaticBinWidth),
    RHYTH_NUMBER("pRRx threshold", 0, false, analysis.prrxThreshold),
    RHYTH_NUMBER("SDARR segment", 0, false, analysis.sdarrSegmentLength),
    RHYTH_FLAG("Exclude ectopics", analysis.excludeEctopic),
    RHYTH_NUMBER("Maximum frequency", 0, false, spectrum.maxFrequency),
    RHYTH_NUMBER("VLF low", 0, true, spectrum.vlfLow),
    RHYTH_NUMBER("VLF high", 0, false, spectrum.vlfHigh),
    RHYTH_NUMBER("LF low", 0, true, spectrum.lfLow),
    RHYTH_NUMBER("LF high", 0, false, spectrum.lfHigh),
    RHYTH_NUMBER("HF low", 0, true, spectrum.hfLow),
    RHYTH_NUMBER("HF high", 0, false, spectrum.hfHigh),
    RHYTH_COUNT("Number of frequencies", 1, spectrum.frequencyCount),
    RHYTH_COUNT("Spectral window", 0, spectrum.window),
};

#undef RHYTH_NUMBER
#undef RHYTH_COUNT
#undef RHYTH_FLAG

// Case and blanks do not matter in names: "large dog", "LargeDog" and "Large
// Dog" are one.
std::string Folded(const std::string &text) {
  std::string folded;
  for (const char c : text) {
    if (c != ' ' && c != '\t')
      folded += char(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded;
}

std::string Trimmed(const std::string &text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos)
    return {};
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

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

void SetField(Settings &copy, const Field &field, const std::string &text) {
  const double value = Number(field.label, text);
  if (field.inclusive ? value < field.least : value <= field.least) {
    throw Refusal(std::string(field.label) + " must be " +
                  (field.inclusive ? "at least " : "above ") +
                  (field.least == 0 ? "0" : "1") + ", not " + text);
  }
  switch (field.kind) {
  case Kind::kNumber:
    *field.number(copy) = value;
    return;
  case Kind::kCount:
    if (value != std::floor(value) || value > 1e6) {
      throw Refusal(std::string(field.label) + " takes a whole number, not " +
                    text);
    }
    *field.count(copy) = DWORD(value);
    return;
  case Kind::kFlag:
    if (value != 0 && value != 1) {
      throw Refusal(std::string(field.label) + " takes 0 or 1, not " + text);
    }
    *field.flag(copy) = BYTE(value);
    return;
  }
}

void PickPreset(SettingsDialog &dialog, const std::string &name) {
  std::string known;
  for (DWORD preset = 0; preset < kPresetCount; ++preset) {
    const std::string species =
        ModuleString(PresetNameId(preset)).ToUtf8String();
    if (Folded(species) == Folded(name)) {
      dialog.PickPreset(preset);
      return;
    }
    known += (preset ? ", " : "") + species;
  }
  throw Refusal("no preset is named '" + name + "' (the presets: " + known +
                ")");
}

void ChooseChannel(SettingsDialog &dialog, const std::string &channel) {
  const auto &choices = dialog.SourceChoices();
  auto chosen =
      std::find_if(choices.begin(), choices.end(), [&](const auto &choice) {
        return Folded(choice.title.ToUtf8String()) == Folded(channel);
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
    throw Refusal("no channel '" + channel + "' can be analysed");
  }
}

void ApplyLine(SettingsDialog &dialog, const std::string &line) {
  const auto equals = line.find('=');
  if (equals == std::string::npos)
    throw Refusal("expected NAME=VALUE, not '" + line + "'");
  const std::string name = Trimmed(line.substr(0, equals));
  const std::string value = Trimmed(line.substr(equals + 1));
  const std::string key = Folded(name);
  if (key == "preset")
    return PickPreset(dialog, value);
  if (key == "channel")
    return ChooseChannel(dialog, value);
  if (key == "selectiononly") {
    const double only = Number("selectionOnly", value);
    if (only != 0 && only != 1)
      throw Refusal("selectionOnly takes 0 or 1, not " + value);
    dialog.Copy().source.selectionOnly = BYTE(only);
    return;
  }
  for (const Field &field : kFields) {
    if (Folded(field.label) == key)
      return SetField(dialog.Copy(), field, value);
  }
  throw Refusal("the settings have no field '" + name + "'");
}

// Values that each pass alone may still not fit together.
void CheckTogether(const Settings &copy) {
  if (copy.classifier.rrLow >= copy.classifier.rrHigh) {
    throw Refusal("RR low limit must be below RR high limit");
  }
  if (copy.classifier.complexityLow >= copy.classifier.complexityHigh) {
    throw Refusal("Complexity low limit must be below Complexity high limit");
  }
  if (!AreUsableValues(copy.analysis, copy.spectrum)) {
    throw Refusal("the histogram and spectrum values do not fit together (band "
                  "edges in order, "
                  "a usable bin width and number of frequencies)");
  }
}

} // namespace

std::u16string
ApplySettingsAnswerLines(SettingsDialog &dialog,
                         const std::vector<std::u16string> &lines) {
  try {
    for (const std::u16string &line : lines) {
      ApplyLine(dialog, Quor::String(line.c_str()).ToUtf8String());
    }
    CheckTogether(dialog.Copy());
  } catch (const Refusal &refusal) {
    return Quor::String::FromUtf8(refusal.what()).ToStdWString();
  }
  return {};
}

} // namespace Rhyth
