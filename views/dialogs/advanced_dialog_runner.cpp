#include "views/dialogs/advanced_dialog_runner.h"

#include <mutex>

#include "views/dialogs/advanced_settings_dialog.h"

namespace Rhyth {

namespace {

std::mutex& RunnerMutex() {
  static std::mutex mutex;
  return mutex;
}

AdvancedDialogRunner& Runner() {
  static AdvancedDialogRunner runner;
  return runner;
}

}  // namespace

void SetAdvancedDialogRunner(AdvancedDialogRunner run) {
  std::lock_guard lock(RunnerMutex());
  Runner() = std::move(run);
}

bool RunAdvancedDialog(OWL::TWindow& parent, Document& document, Settings& clone,
                       IUnknown* hostData) {
  AdvancedDialogRunner run;
  {
    std::lock_guard lock(RunnerMutex());
    run = Runner();
  }
  if (run) return run(parent, document, clone, hostData);
  AdvancedSettingsDialog dialog(&parent, document, &clone, hostData);
  return dialog.Execute() == IDOK;
}

}  // namespace Rhyth
