#include "analysis/calc/calc_dialog.h"

#include "analysis/calc/calc_answer_lines.h"
#include "platform/win32/message_box.h"

namespace Rhyth {

namespace {

// The name under which the dialog's runs are recorded.
constexpr const char16_t* kDialogName = u"Rhyth::Dialog";
// Constant-initialised: a runner set by static construction in another unit is never lost.
CalcDialogRunner g_runner = nullptr;
// A choice word: this bit, the mode in bits 4 to 19, the first flag in bit 1, interpolate in
// bit 0. Far above the dialog results, so that no plain result reads as a choice.
constexpr int kChoiceBit = 0x10000000;
constexpr int kModeShift = 4;
constexpr int kModeMask = 0xFFFF;

}  // namespace

int CalcDialogChoice(LONG mode, bool first, bool interpolate) {
  return kChoiceBit | ((int(mode) & kModeMask) << kModeShift) | (first ? 2 : 0) |
         (interpolate ? 1 : 0);
}

bool SetCalcDialogRunner(CalcDialogRunner run) {
  g_runner = run;
  return true;
}

int RunCalcDialog(HWND parent, const ChannelCalcSettings* current, ChannelCalcSettings& copy) {
  if (g_runner) return g_runner(parent, copy);
  ScriptedCalcDialog dialog(parent, current, copy);
  return dialog.Execute();
}

// The parent window and the settings in use matter only to a dialog with windows.
ScriptedCalcDialog::ScriptedCalcDialog(HWND, const ChannelCalcSettings*, ChannelCalcSettings& copy)
    : m_copy(copy) {}

int ScriptedCalcDialog::Execute() {
  const win32::ModalDialogAnswer answered = win32::AnswerModalDialogWithLines(kDialogName);
  const int answer = answered.answer;
  if (answer == IDCANCEL) return IDCANCEL;
  if (answer & kChoiceBit) {
    m_copy.mode = LONG(SHORT((answer >> kModeShift) & kModeMask));
    m_copy.first = (answer & 2) != 0;
    m_copy.interpolate = (answer & 1) != 0;
  }
  const std::u16string refusal = ApplyCalcAnswerLines(m_copy, answered.lines);
  if (refusal.empty()) return IDOK;
  // The copy is part changed: the answer becomes Cancel, so the host keeps its settings.
  win32::RefuseModalDialogAnswer(refusal);
  return IDCANCEL;
}

}  // namespace Rhyth
