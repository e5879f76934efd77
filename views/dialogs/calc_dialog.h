// Rhyth::Dialog: the channel calculation's settings dialog (template 101, "Rhyth Calculations").
// The calculation's settings operation runs it modally over the calculation's new settings
// object and hands the object to the host only when it ends with OK. It chooses the beat measure
// the channel shows (combo box 170, each item's data its code) and whether guide lines are set
// (check box 171, which "Change in Beat Period" disables, keeping its mark); a selection change
// goes into the settings at once. OK without a measure chosen is refused with the
// invalid-settings warning, and the dialog stays. Help (160) opens "Rhyth_Calculations".
#pragma once

#include <string>
#include <vector>

#include "analysis/calc/calc_answer_lines.h"
#include "analysis/calc/channel_calc_settings.h"
#include "controls/buttons/bmp_txt_button.h"
#include "controls/dialogs/dialog_base.h"
#include "platform/owl/check_box.h"
#include "platform/owl/combo_box.h"

namespace Rhyth {

class Dialog : public Quor::DialogBase, private CalcAnswerTarget {
 public:
  static constexpr int kTemplateId = 101;
  static constexpr int kParameterCombo = 170;
  static constexpr int kGuideLinesCheck = 171;
  static constexpr int kHelpButton = 160;

  // `word` is the calculation's, kept as it is; the dialog holds a reference on `settings`.
  Dialog(OWL::TWindow* parent, DWORD word, ChannelCalcSettings* settings);
  ~Dialog() override;

  void SetupWindow() override;
  bool CanClose() override;
  bool Find(OWL::TEventInfo& info) override;
  // "Parameter=NAME" (or "Rhyth Parameter=", the name in the list or its code) and
  // "Set Guide Lines=0|1", done as clicks on the controls.
  std::u16string ApplyAnswerLines(const std::vector<std::u16string>& lines) override;

  OWL::TComboBox& Parameter() { return *m_parameter; }
  OWL::TCheckBox& GuideLines() { return *m_guideLines; }
  QuorControls::TBmpTxtButton& Help() { return *m_help; }
  DWORD Word() const { return m_word; }

 private:
  void ChooseMode(LONG mode) override;
  void SetGuideLines(bool set) override;

  LRESULT EvParameterChange(WPARAM, LPARAM);
  LRESULT EvHelp(WPARAM, LPARAM);
  // The code of the selected item; CB_ERR when none is selected.
  LONG SelectedCode() const;
  void EnableGuideLines(LONG code);

  DWORD m_word;
  ChannelCalcSettings* m_settings;
  OWL::TComboBox* m_parameter;
  OWL::TCheckBox* m_guideLines;
  QuorControls::TBmpTxtButton* m_help;
};

// Runs the dialog over the host's window `parent` (may be null) on `copy`: IDOK or IDCANCEL.
int RunCalculationDialog(HWND parent, ChannelCalcSettings& copy);

}  // namespace Rhyth

// Referenced by the module's link so that the dialog is always in it.
extern "C" int RhythCalcDialogAnchor;
