// The settings dialog answered with lines, as a person would fill it in: typing, choosing and
// clicking, or fields in the settings' own units entered where the dialog shows them.
#include <algorithm>
#include <string_view>

#include "analysis/dialogs/answer_words.h"
#include "platform/win32/message_box.h"
#include "views/dialogs/dialog_line_words.h"
#include "views/dialogs/settings_dialog.h"
#include "views/dialogs/settings_fields.h"

namespace Rhyth {

using namespace SettingsFields;

namespace {

// The detection values, which only the advanced dialog shows, for the Custom preset.
constexpr std::string_view kDetectionLabels[] = {
    "Low pass filter", "Window", "Noise", "Minimum peak height", "Typical QRS width",
    "Minimum period"};

// "LOW-HIGH": the dash between the two texts, not a number's own sign (or exponent's).
std::optional<std::pair<std::string, std::string>> SplitPair(const std::string& text) {
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] != '-') continue;
    const std::string before = TrimmedText(text.substr(0, i));
    if (before.empty() || std::string_view("eE+-").find(before.back()) != std::string_view::npos) {
      continue;
    }
    return std::make_pair(before, TrimmedText(text.substr(i + 1)));
  }
  return std::nullopt;
}

void SetBox(OWL::TCheckBox& box, bool checked) {
  if ((box.GetCheck() == OWL::BF_CHECKED) != checked) box.Click();
}

}  // namespace

void SettingsDialog::Type(int id, const std::u16string& text) { TypeInto(*m_edits.at(id), text); }

std::u16string SettingsDialog::ApplyAnswerLines(const std::vector<std::u16string>& lines) {
  bool fieldWords = false;
  for (const std::u16string& line : lines) {
    const auto [verb, rest] = SplitVerb(line);
    std::u16string refusal;
    if (verb == "type") {
      refusal = TypeLine(rest);
    } else if (verb == "choose") {
      refusal = ChooseLine(rest);
    } else if (verb == "click") {
      refusal = ClickLine(rest);
    } else {
      fieldWords = true;
      refusal = ApplySettingsAnswerLine(*this, line);
    }
    if (!refusal.empty()) return refusal;
  }
  return fieldWords ? CheckSettingsTogether(*this) : std::u16string();
}

std::u16string SettingsDialog::TypeLine(const std::u16string& line) {
  const auto parts = NameAndValue(line);
  if (!parts) return u"type takes LABEL=TEXT, not '" + line + u"'";
  const auto& [name, value] = *parts;
  const std::string key = FoldedCaption(WideText(name));
  for (const PairEntry& pair : kPairs) {
    if (FoldedName(pair.label) != key) continue;
    const auto halves = SplitPair(value);
    if (!halves) return WideText(std::string(pair.label) + " takes LOW-HIGH, not '" + value + "'");
    Type(pair.lowId, WideText(halves->first));
    Type(pair.highId, WideText(halves->second));
    return {};
  }
  for (const FieldEntry& field : kFields) {
    if (FoldedName(field.label) != key) continue;
    Type(field.id, WideText(value));
    return {};
  }
  return WideText("the dialog has no field '" + name + "'");
}

std::u16string SettingsDialog::ChooseLine(const std::u16string& line) {
  const auto parts = NameAndValue(line);
  if (!parts) return u"choose takes LIST=ITEM, not '" + line + u"'";
  const auto& [name, item] = *parts;
  const std::string key = FoldedCaption(WideText(name));
  OWL::TComboBox* list = key == "preset"                         ? m_preset.get()
                         : key == "datasource" || key == "channel" ? m_channel.get()
                                                                   : nullptr;
  if (!list) return WideText("the dialog has no list '" + name + "'");
  for (int i = 0; i < list->GetCount(); ++i) {
    if (FoldedCaption(list->GetString(i)) == FoldedCaption(WideText(item))) {
      list->Choose(i);
      return {};
    }
  }
  return WideText("the list '" + name + "' has no item '" + item + "'");
}

std::u16string SettingsDialog::ClickLine(const std::u16string& caption) {
  const std::string key = FoldedCaption(caption);
  for (OWL::TRadioButton* option : {m_wholeChannel.get(), m_selection.get()}) {
    if (FoldedCaption(option->GetText()) != key) continue;
    if (!option->IsEnabled()) return u"'" + caption + u"' is disabled";
    option->Click();
    return {};
  }
  for (OWL::TCheckBox* box : {m_auto.get(), m_excludeEctopics.get()}) {
    if (FoldedCaption(box->GetText()) != key) continue;
    if (!box->IsEnabled()) return u"'" + caption + u"' is disabled";
    box->Click();
    return {};
  }
  for (OWL::TButton* button : {m_advanced.get(), static_cast<OWL::TButton*>(m_help.get())}) {
    if (FoldedCaption(button->GetText()) != key) continue;
    if (!::IsWindowEnabled(button->GetHandle())) return u"'" + caption + u"' is disabled";
    // A dialog the button opens that refused its own lines refuses this dialog's too.
    const std::size_t shown = win32::ShownDialogs().size();
    button->Click();
    return RefusalOfRunsSince(shown);
  }
  return u"the dialog has no button '" + caption + u"'";
}

bool SettingsDialog::ChooseSource(DWORD index) {
  const bool offered = std::any_of(m_choices.begin(), m_choices.end(),
                                   [index](const SourceChoice& c) { return c.index == index; });
  if (offered) m_channel->Choose(int(index));
  return offered;
}

void SettingsDialog::PickPreset(DWORD preset) {
  if (preset < kPresetCount) m_preset->Choose(int(preset));
}

void SettingsDialog::SetSelectionOnly(bool only) { (only ? m_selection : m_wholeChannel)->Click(); }

// A value in the settings' units, entered where the dialog shows it. The detection values are
// the advanced dialog's, reached through the Custom preset, which keeps them as they are set.
bool SettingsDialog::ShowValue(const char* label, double value) {
  const std::string_view name(label);
  for (const FieldEntry& field : kFields) {
    if (name != field.label) continue;
    Type(field.id, ShownText(field.id, value));
    return true;
  }
  if (name == "Auto" || name == "Exclude ectopics from analysis") {
    SetBox(name == "Auto" ? *m_auto : *m_excludeEctopics, value != 0);
    return true;
  }
  if (std::find(std::begin(kDetectionLabels), std::end(kDetectionLabels), name) !=
          std::end(kDetectionLabels) &&
      m_preset->GetSelIndex() != int(kCustomPreset)) {
    m_preset->Choose(int(kCustomPreset));
  }
  return false;
}

SettingsAnswerTarget::TogetherProblem SettingsDialog::CheckTogether() {
  const auto number = [this](int id) { return TypedNumber(id); };
  const auto ordered = [&](int lowId, int highId) {
    const auto low = number(lowId), high = number(highId);
    return !low || !high || *low < *high;
  };
  if (!ordered(kRrLowEdit, kRrHighEdit)) return TogetherProblem::kRROrder;
  if (!ordered(kComplexityLowEdit, kComplexityHighEdit)) return TogetherProblem::kComplexityOrder;
  for (const int id : {kMaxFrequencyEdit, kFrequencyCountEdit, kVlfLowEdit, kVlfHighEdit,
                       kLfLowEdit, kLfHighEdit, kHfLowEdit, kHfHighEdit}) {
    if (!m_edits[id]->IsNumber() || !m_edits[id]->IsValid(false)) return TogetherProblem::kSpectrum;
  }
  const bool bandsInOrder = *number(kVlfLowEdit) <= *number(kVlfHighEdit) &&
                            *number(kLfLowEdit) <= *number(kLfHighEdit) &&
                            *number(kHfLowEdit) <= *number(kHfHighEdit);
  return bandsInOrder ? TogetherProblem::kNone : TogetherProblem::kSpectrum;
}

}  // namespace Rhyth
