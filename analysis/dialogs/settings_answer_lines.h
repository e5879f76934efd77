// The settings dialog's fields in words, for an answer that comes as lines of
// text rather than as clicks: "preset=NAME" picks a species preset by its name,
// "channel=N" or "channel=TITLE" picks the source among the offered channels,
// "selectionOnly=0|1" the region mode, and "NAME=VALUE" sets the field of that
// label (case and blanks do not matter, e.g. "Low pass filter=40"); a pair of
// edits under one label takes "LABEL=LOW-HIGH" (e.g. "LF=0.04-0.15"). Values
// are in the units the settings keep (seconds and hertz). The lines apply in
// their order to a target: a dialog with controls, or a bare settings copy.
#pragma once

#include <string>
#include <vector>

#include "analysis/settings/settings.h"
#include "core/quor_string.h"

namespace Rhyth {

// A channel a settings dialog offers as the analysis source.
struct SourceChoice {
  DWORD index;
  Quor::String title;
};

// What the lines act on.
class SettingsAnswerTarget {
public:
  // Values that each pass alone but not together.
  enum class TogetherProblem { kNone, kRROrder, kComplexityOrder, kSpectrum };

  virtual Settings &Copy() = 0;
  virtual const std::vector<SourceChoice> &SourceChoices() = 0;
  // False (nothing changed) for a channel that is not offered.
  virtual bool ChooseSource(DWORD index) = 0;
  virtual void PickPreset(DWORD preset) = 0;
  virtual void SetSelectionOnly(bool only) = 0;
  // Shows a checked value of the field of this label (in the units the settings
  // keep) where a person would enter it; false when the target has no place for
  // it, and the value then goes straight into Copy().
  virtual bool ShowValue(const char *label, double value) = 0;
  virtual TogetherProblem CheckTogether() = 0;

protected:
  ~SettingsAnswerTarget() = default;
};

// Applies one line; empty when it applied, else why it was refused.
std::u16string ApplySettingsAnswerLine(SettingsAnswerTarget &target,
                                       const std::u16string &line);
// Whether the values fit together; empty when they do, else why not.
std::u16string CheckSettingsTogether(SettingsAnswerTarget &target);
// Applies the lines and checks the result; empty when all applied, else one
// line saying which line was refused and why (the target may then be partly
// changed and must be dropped).
std::u16string
ApplySettingsAnswerLines(SettingsAnswerTarget &target,
                         const std::vector<std::u16string> &lines);

} // namespace Rhyth
