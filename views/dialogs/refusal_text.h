// What a script's author reads when an analysis dialog refuses OK: the invalid-settings warning's
// first line, then each marked field with what its mark says, recorded with the dialog's run.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "controls/dialogs/dialog_base.h"
#include "controls/errors/error_provider.h"

namespace Rhyth {

// A field's label and its mark.
using MarkedField = std::pair<std::u16string, const QuorControls::ErrorProvider*>;

// "One or more settings are invalid ... Marked: LABEL (WHY); LABEL (WHY)"; fields whose mark is
// hidden are left out.
std::u16string RefusalText(const std::vector<MarkedField>& fields);

// A dialog whose refused OK is recorded with its run (win32::ShownDialogs) for the script's
// author, in the words its CanClose gives.
class RefusingDialog : public Quor::DialogBase {
 public:
  using Quor::DialogBase::DialogBase;
  int Execute() override;

 protected:
  // CanClose, refusing, says why.
  void SetRefusal(std::u16string refusal) { m_refusal = std::move(refusal); }

 private:
  std::u16string m_refusal;
};

}  // namespace Rhyth
