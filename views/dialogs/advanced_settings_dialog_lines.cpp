// The advanced settings dialog answered with lines, as a person would fill it in: typing into
// its fields and clicking its buttons; and its preview written as a picture along the way.
#include "views/dialogs/advanced_settings_dialog.h"
#include "views/dialogs/dialog_line_words.h"
#include "views/dialogs/preview_picture.h"

namespace Rhyth {

namespace {

// The fields by the labels a person reads beside them.
constexpr std::pair<const char*, int> kFieldLabels[] = {
    {"Window", AdvancedSettingsDialog::kWindowEdit},
    {"Noise", AdvancedSettingsDialog::kNoiseEdit},
    {"Minimum peak height", AdvancedSettingsDialog::kHeightEdit},
    {"Typical QRS width", AdvancedSettingsDialog::kQrsWidthEdit},
    {"Minimum period", AdvancedSettingsDialog::kMinPeriodEdit},
    {"Low pass filter", AdvancedSettingsDialog::kLowPassEdit},
};

}  // namespace

void AdvancedSettingsDialog::Type(int id, const std::u16string& text) { TypeInto(*m_edits.at(id), text); }

std::u16string AdvancedSettingsDialog::ApplyAnswerLines(const std::vector<std::u16string>& lines) {
  for (const std::u16string& line : lines) {
    const auto [verb, rest] = SplitVerb(line);
    std::u16string refusal;
    if (verb == "type") {
      refusal = TypeLine(rest);
    } else if (verb == "click") {
      refusal = ClickLine(rest);
    } else if (verb == "preview") {
      refusal = PreviewLine(rest);
    } else {
      refusal = u"the detector settings take type, click or preview, not '" + line + u"'";
    }
    if (!refusal.empty()) return refusal;
  }
  return {};
}

std::u16string AdvancedSettingsDialog::TypeLine(const std::u16string& line) {
  const auto parts = NameAndValue(line);
  if (!parts) return u"type takes LABEL=TEXT, not '" + line + u"'";
  const auto& [name, value] = *parts;
  for (const auto& [label, id] : kFieldLabels) {
    if (FoldedCaption(WideText(label)) != FoldedCaption(WideText(name))) continue;
    Type(id, WideText(value));
    return {};
  }
  return WideText("the dialog has no field '" + name + "'");
}

std::u16string AdvancedSettingsDialog::ClickLine(const std::u16string& caption) {
  if (FoldedCaption(m_help->GetText()) != FoldedCaption(caption)) {
    return u"the dialog has no button '" + caption + u"'";
  }
  m_help->Click();
  return {};
}

std::u16string AdvancedSettingsDialog::PreviewLine(const std::u16string& file) {
  if (file.empty()) return u"preview takes the FILE to write";
  if (!SavePreviewPicture(std::filesystem::path(file))) {
    return u"the preview could not be written to " + file;
  }
  return {};
}

bool AdvancedSettingsDialog::SavePreviewPicture(const std::filesystem::path& file) {
  return m_pane && WritePreviewPicture(*m_pane, file);
}

}  // namespace Rhyth
