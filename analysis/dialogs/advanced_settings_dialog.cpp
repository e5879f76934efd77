#include "analysis/dialogs/advanced_settings_dialog.h"

#include "analysis/dialogs/dialog_scripts.h"
#include "analysis/settings/change_flags.h"

namespace Rhyth {

AdvancedSettingsDialog::AdvancedSettingsDialog(HWND, IUnknown* hostDocument, Settings& clone)
    : m_clone(clone), m_preview(hostDocument) {}

AdvancedSettingsDialog::~AdvancedSettingsDialog() {
  // The preview chain is the dialog's own: it leaves no channel behind in the user's file.
  m_preview.DeleteChannels();
}

int AdvancedSettingsDialog::Execute() {
  return DialogScripts<AdvancedSettingsDialog>::Run(*this, u"AdvancedSettingsDialog");
}

bool AdvancedSettingsDialog::UpdatePreview() {
  const bool built = m_preview.UpdateChannels(kChangeEverything, &m_clone);
  m_preview.RefreshMarkerLink(&m_clone);
  return built;
}

void ScriptAdvancedSettingsDialog(int answer, AdvancedSettingsDialogScript script) {
  DialogScripts<AdvancedSettingsDialog>::Queue(answer, std::move(script));
}

}  // namespace Rhyth
