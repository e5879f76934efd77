// Rhyth::SettingsDialog: the analysis settings dialog (template 100, "Rhyth Settings"). The
// document's settings command runs it modally over a copy of the settings and takes the copy
// only when it ends with OK. It edits the source channel and region, the species preset, the
// analysis options, the classification limits and the spectrum; "Advanced..." (for the Custom
// preset only) hands a clone to the advanced dialog and takes its detection values back when
// that ends with OK. Every handler writes into the copy alone. OK reads the controls into the
// copy after applying the chosen preset, so the edits' classification and spectrum values win
// over the preset's; an invalid value, no preset, or no usable channel shows the invalid-settings
// warning and the dialog stays, its marks showing what to correct. The band edges' ranges follow
// each other and the maximum frequency as they are typed. Help (160) opens "Rhyth_Settings2".
//
// Scripted, it takes the lines of an OK answer in its own words, as a person would act:
// "type LABEL=TEXT" types into the field of that label (a pair of fields under one label, such
// as "RR Interval", takes "LOW-HIGH"; either half also goes by "RR low limit", "VLF high" and
// the like), "choose LIST=ITEM" picks an item of the "Preset" or "Data source" list by its text,
// "click CAPTION" clicks a button, option or check box; any other line is a field in the units
// the settings keep (settings_answer_lines.h), entered into the control that shows it.
#pragma once

#include <map>
#include <optional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "analysis/dialogs/settings_answer_lines.h"
#include "analysis/settings/settings.h"
#include "controls/buttons/bmp_txt_button.h"
#include "controls/dialogs/dialog_base.h"
#include "controls/edits/validating_edit.h"
#include "controls/errors/error_provider.h"
#include "platform/owl/check_box.h"
#include "platform/owl/combo_box.h"
#include "views/dialogs/refusal_text.h"

namespace Rhyth {

class Document;

class SettingsDialog : public RefusingDialog, private SettingsAnswerTarget {
 public:
  static constexpr int kTemplateId = 100;
  static constexpr int kChannelCombo = 100;
  static constexpr int kWholeChannelRadio = 101;
  static constexpr int kSelectionRadio = 102;
  static constexpr int kChannelMark = 103;
  static constexpr int kPresetCombo = 110;
  static constexpr int kAdvancedButton = 111;
  static constexpr int kBinWidthEdit = 120;
  static constexpr int kPrrEdit = 121;
  static constexpr int kAutoCheck = 122;
  static constexpr int kExcludeEctopicsCheck = 123;
  static constexpr int kSdarrEdit = 126;
  static constexpr int kMaxFrequencyEdit = 130;
  static constexpr int kFrequencyCountEdit = 132;
  static constexpr int kVlfLowEdit = 134;
  static constexpr int kVlfHighEdit = 135;
  static constexpr int kLfLowEdit = 138;
  static constexpr int kLfHighEdit = 139;
  static constexpr int kHfLowEdit = 142;
  static constexpr int kHfHighEdit = 143;
  static constexpr int kRrLowEdit = 150;
  static constexpr int kRrHighEdit = 151;
  static constexpr int kComplexityLowEdit = 154;
  static constexpr int kComplexityHighEdit = 155;
  static constexpr int kHelpButton = 160;

  // `channels`: the data document's channel titles in channel-index order. The dialog holds a
  // reference on `copy` and on `hostData` (may be null), which it hands to the advanced dialog.
  SettingsDialog(OWL::TWindow* parent, std::vector<Quor::String> channels, Document& document,
                 Settings* copy, IUnknown* hostData);
  ~SettingsDialog() override;

  void SetupWindow() override;
  bool CanClose() override;
  bool Find(OWL::TEventInfo& info) override;

  OWL::TComboBox& Channel() { return *m_channel; }
  OWL::TRadioButton& WholeChannel() { return *m_wholeChannel; }
  OWL::TRadioButton& Selection() { return *m_selection; }
  OWL::TComboBox& Preset() { return *m_preset; }
  OWL::TButton& Advanced() { return *m_advanced; }
  OWL::TCheckBox& Auto() { return *m_auto; }
  OWL::TCheckBox& ExcludeEctopics() { return *m_excludeEctopics; }
  QuorControls::TBmpTxtButton& Help() { return *m_help; }
  // The validated field of this control id (null for another id) and its error mark.
  ValidatingEdit* Edit(int id);
  QuorControls::ErrorProvider* MarkOf(int id);
  QuorControls::ErrorProvider& ChannelMark() { return *m_channelMark; }
  bool AdvancedEnabled() const;
  // What a person does: empties the field key by key and types the text into it.
  void Type(int id, const std::u16string& text);

 protected:
  std::u16string ApplyAnswerLines(const std::vector<std::u16string>& lines) override;

 private:
  // The answer lines' view of the dialog.
  Settings& Copy() override { return *m_copy; }
  const std::vector<SourceChoice>& SourceChoices() override { return m_choices; }
  bool ChooseSource(DWORD index) override;
  void PickPreset(DWORD preset) override;
  void SetSelectionOnly(bool only) override;
  bool ShowValue(const char* label, double value) override;
  TogetherProblem CheckTogether() override;
  std::u16string TypeLine(const std::u16string& line);
  std::u16string ChooseLine(const std::u16string& line);
  std::u16string ClickLine(const std::u16string& caption);

  void TransferToControls();
  bool TransferFromControls(Settings& into);
  bool ReadPreset(Settings& into);
  bool ReadChannel(Settings& into);
  bool ReadAnalysisGroup(Settings& into);
  bool ReadClassificationGroup(Settings& into);
  bool ReadSpectrumGroup(Settings& into);
  // The field's text as a finite number, whatever its range.
  std::optional<double> TypedNumber(int id);
  // The field's value when its text is a number its validator takes.
  std::optional<double> ValidValue(int id);
  // Both fields valid: the smaller value is the low end.
  bool ReadPair(int lowId, int highId, double& low, double& high);
  // A value in the settings' units as the field shows it.
  std::u16string ShownText(int id, double value);
  void Show(int id, double value);
  void UpdateBandRanges();
  // Shows or clears the field's mark from what it holds now.
  void ShowValidity(int id);
  void EnableAdvanced(bool enable);
  // The channel list's mark: shown when no usable channel is chosen; whether one is.
  bool CheckChannel();
  // The warning's first line and what each mark shown says.
  std::u16string RefusalText();

  LRESULT EvChannelChange(WPARAM, LPARAM);
  LRESULT EvRegionClick(WPARAM, LPARAM);
  LRESULT EvPresetChange(WPARAM, LPARAM);
  LRESULT EvAdvanced(WPARAM, LPARAM);
  LRESULT EvAuto(WPARAM, LPARAM);
  LRESULT EvBandChange(WPARAM, LPARAM);
  LRESULT EvHelp(WPARAM, LPARAM);

  std::vector<Quor::String> m_channelNames;
  std::vector<SourceChoice> m_choices;
  std::set<DWORD> m_computedChannels;
  bool m_setUp = false;
  Document& m_document;
  Settings* m_copy;
  IUnknown* m_hostData;

  std::unique_ptr<OWL::TComboBox> m_channel;
  std::unique_ptr<QuorControls::ErrorProvider> m_channelMark;
  std::unique_ptr<OWL::TRadioButton> m_wholeChannel;
  std::unique_ptr<OWL::TRadioButton> m_selection;
  std::unique_ptr<OWL::TComboBox> m_preset;
  std::unique_ptr<OWL::TButton> m_advanced;
  std::unique_ptr<OWL::TCheckBox> m_auto;
  std::unique_ptr<OWL::TCheckBox> m_excludeEctopics;
  std::map<int, std::unique_ptr<ValidatingEdit>> m_edits;
  std::map<int, std::unique_ptr<QuorControls::ErrorProvider>> m_marks;  // by their field's id
  std::unique_ptr<QuorControls::TBmpTxtButton> m_help;
};

// Runs the dialog over the host's window `parent` (may be null) on `copy`: IDOK or IDCANCEL.
int RunSettingsDialogWindow(HWND parent, std::vector<Quor::String> channels, Document& document,
                            Settings& copy, IUnknown* hostData);

}  // namespace Rhyth

// Referenced by the module's link so that the dialog is always in it.
extern "C" int RhythSettingsDialogAnchor;
