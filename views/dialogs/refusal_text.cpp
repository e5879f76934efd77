#include "views/dialogs/refusal_text.h"

#include "analysis/module_strings.h"
#include "platform/owl/dialog.h"

namespace Rhyth {

namespace {

// The first line of the invalid-settings warning, as its template says it.
std::u16string WarningText() {
  const OWL::TDialogRes warning(ModuleResourceHandle(), u"INVALIDSETTINGSDLG", 0);
  if (warning.IsOK()) {
    for (const win32::DialogControl& control : warning.GetTemplate().controls)
      if (control.className == u"Static" && !control.text.empty()) return control.text;
  }
  return u"One or more settings are invalid and need correcting.";
}

}  // namespace

std::u16string RefusalText(const std::vector<MarkedField>& fields) {
  std::u16string marked;
  for (const auto& [what, mark] : fields) {
    if (mark->GetText().IsEmpty()) continue;
    marked += (marked.empty() ? u" Marked: " : u"; ") + what + u" (" +
              mark->GetText().ToStdWString() + u")";
  }
  return WarningText() + marked;
}

int RefusingDialog::Execute() {
  m_refusal.clear();
  const std::size_t run = win32::ShownDialogs().size();
  const int result = Quor::DialogBase::Execute();
  if (result != IDOK && !m_refusal.empty() && run < win32::ShownDialogs().size()) {
    win32::RefuseModalDialogRun(run, m_refusal);
  }
  return result;
}

}  // namespace Rhyth
