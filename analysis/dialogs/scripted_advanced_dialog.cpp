#include "analysis/dialogs/scripted_advanced_dialog.h"

#include "analysis/dialogs/dialog_scripts.h"
#include "analysis/settings/change_flags.h"

namespace Rhyth {

ScriptedAdvancedDialog::ScriptedAdvancedDialog(HWND, IUnknown* hostDocument, Settings& clone)
    : m_clone(clone), m_preview(hostDocument) {}

ScriptedAdvancedDialog::~ScriptedAdvancedDialog() {
  // The preview chain is the dialog's own: it leaves no channel behind in the user's file.
  m_preview.DeleteChannels();
}

int ScriptedAdvancedDialog::Execute() {
  return DialogScripts<ScriptedAdvancedDialog>::Run(*this, u"AdvancedSettingsDialog");
}

bool ScriptedAdvancedDialog::UpdatePreview() {
  const bool built = m_preview.UpdateChannels(kChangeEverything, &m_clone);
  m_preview.RefreshMarkerLink(&m_clone);
  return built;
}

void ScriptAdvancedDialog(int answer, ScriptedAdvancedDialogScript script) {
  DialogScripts<ScriptedAdvancedDialog>::Queue(answer, std::move(script));
}

}  // namespace Rhyth
