// The advanced (detection) settings dialog, run from the settings dialog over a clone of its
// copy. It owns a preview detector, a private detection chain over the host document whose
// channels it removes again when it closes. Answered, like the settings dialog, by the scripted
// answerer; a script may edit the clone and drive the preview.
#pragma once

#include <functional>

#include "analysis/detection/detector.h"
#include "analysis/settings/settings.h"

namespace Rhyth {

class AdvancedSettingsDialog {
 public:
  AdvancedSettingsDialog(HWND parent, IUnknown* hostDocument, Settings& clone);
  ~AdvancedSettingsDialog();
  AdvancedSettingsDialog(const AdvancedSettingsDialog&) = delete;
  AdvancedSettingsDialog& operator=(const AdvancedSettingsDialog&) = delete;

  // IDOK or IDCANCEL.
  int Execute();

  Settings& Clone() { return m_clone; }
  PreviewDetector& Preview() { return m_preview; }
  // Builds the preview chain for the clone's values and shows its beats on the source.
  bool UpdatePreview();

 private:
  Settings& m_clone;
  PreviewDetector m_preview;
};

using AdvancedSettingsDialogScript = std::function<void(AdvancedSettingsDialog&)>;
void ScriptAdvancedSettingsDialog(int answer, AdvancedSettingsDialogScript script = {});

}  // namespace Rhyth
