#include "views/dialogs/calc_dialog.h"

#include <memory>

#include "analysis/calc/calc_dialog.h"
#include "analysis/calc/channel_calc_modes.h"
#include "analysis/module_strings.h"
#include "controls/dialogs/settings_warning_dialog.h"
#include "views/dialogs/dialog_help.h"
#include "views/dialogs/dialog_module.h"

namespace Rhyth {

namespace {

constexpr UINT kHelpTipId = 3;
constexpr int kHelpGlyph = 1002;
// The measures in the order the list shows them.
constexpr LONG kListedModes[] = {kCalcModeBeatPeriod, kCalcModeBeatPeriodChange,
                                 kCalcModeBeatRate, kCalcModeBeatComplexity};

// The four names, loaded once per process.
const std::vector<Quor::String>& ListedNames() {
  static const std::vector<Quor::String> names = [] {
    std::vector<Quor::String> loaded;
    for (const LONG mode : kListedModes) loaded.push_back(CalcModeTitle(mode));
    return loaded;
  }();
  return names;
}

}  // namespace

Dialog::Dialog(OWL::TWindow* parent, DWORD word, ChannelCalcSettings* settings)
    : Quor::DialogBase(parent, kTemplateId, &DialogResourceModule()),
      m_word(word),
      m_settings(settings),
      m_parameter(new OWL::TComboBox(this, kParameterCombo)),
      m_guideLines(new OWL::TCheckBox(this, kGuideLinesCheck)),
      m_help(new QuorControls::TBmpTxtButton(this, kHelpButton, ModuleString(kHelpTipId),
                                              &DialogResourceModule())) {
  m_settings->AddRef();
}

Dialog::~Dialog() {
  delete m_help;
  delete m_guideLines;
  delete m_parameter;
  m_settings->Release();
}

void Dialog::SetupWindow() {
  Quor::DialogBase::SetupWindow();
  for (std::size_t i = 0; i < std::size(kListedModes); ++i) {
    const int item = m_parameter->AddString(ListedNames()[i].ToStdWString());
    m_parameter->SetItemData(item, kListedModes[i]);
  }
  m_help->SetBitmap(kHelpGlyph);
  int selected = OWL::CB_ERR;
  for (int i = 0; i < m_parameter->GetCount() && selected == OWL::CB_ERR; ++i) {
    if (LONG(m_parameter->GetItemData(i)) == m_settings->mode) selected = i;
  }
  m_parameter->SetSelIndex(selected);
  m_guideLines->SetCheck(m_settings->first ? OWL::BF_CHECKED : OWL::BF_UNCHECKED);
  EnableGuideLines(m_settings->mode);
}

bool Dialog::CanClose() {
  if (!Quor::DialogBase::CanClose()) return false;
  // A code of CB_ERR would be stored as the measure.
  if (SelectedCode() == OWL::CB_ERR) {
    QuorControls::DialogSettingsWarningDlg(this).Execute();
    return false;
  }
  m_settings->mode = SelectedCode();
  m_settings->first = m_guideLines->GetCheck() == OWL::BF_CHECKED;
  return true;
}

bool Dialog::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table{
      {WM_COMMAND, kParameterCombo, OWL::Handler(&Dialog::EvParameterChange)},
      {WM_COMMAND, kHelpButton, OWL::Handler(&Dialog::EvHelp)},
  };
  return OWL::SearchResponseTable(table, info) || Quor::DialogBase::Find(info);
}

LRESULT Dialog::EvParameterChange(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != OWL::CBN_SELCHANGE) return 0;
  const LONG code = SelectedCode();
  if (code == OWL::CB_ERR) return 0;
  m_settings->mode = code;
  m_settings->first = m_guideLines->GetCheck() == OWL::BF_CHECKED;
  EnableGuideLines(code);
  return 0;
}

LRESULT Dialog::EvHelp(WPARAM, LPARAM) {
  static const Quor::String topic(u"Rhyth_Calculations");
  ShowDialogHelp(topic);
  return 0;
}

LONG Dialog::SelectedCode() const {
  const int selected = m_parameter->GetSelIndex();
  return selected == OWL::CB_ERR ? OWL::CB_ERR : LONG(m_parameter->GetItemData(selected));
}

void Dialog::EnableGuideLines(LONG code) {
  // "Change in Beat Period" has no guide lines.
  m_guideLines->EnableWindow(code != kCalcModeBeatPeriodChange);
}

std::u16string Dialog::ApplyAnswerLines(const std::vector<std::u16string>& lines) {
  return ApplyCalcAnswerLines(static_cast<CalcAnswerTarget&>(*this), lines);
}

void Dialog::ChooseMode(LONG mode) {
  for (int i = 0; i < m_parameter->GetCount(); ++i) {
    if (LONG(m_parameter->GetItemData(i)) == mode) m_parameter->Choose(i);
  }
}

void Dialog::SetGuideLines(bool set) {
  if ((m_guideLines->GetCheck() == OWL::BF_CHECKED) != set) m_guideLines->Click();
}

int RunCalculationDialog(HWND parent, ChannelCalcSettings& copy) {
  std::unique_ptr<OWL::TWindow> attached;
  OWL::TWindow* owner = OWL::TWindow::FromHandle(parent);
  if (!owner && parent) {
    attached = std::make_unique<OWL::TWindow>(parent);
    owner = attached.get();
  }
  Dialog dialog(owner, 0, &copy);
  return dialog.Execute() == IDOK ? IDOK : IDCANCEL;
}

namespace {
const bool kRunnerSet = SetCalcDialogRunner(&RunCalculationDialog);
}  // namespace

}  // namespace Rhyth

extern "C" {
int RhythCalcDialogAnchor = 0;
}
