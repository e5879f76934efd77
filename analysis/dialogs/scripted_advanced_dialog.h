// The scripted stand-in of the advanced (detection) settings dialog, for programs built without
// the views' dialog windows: run from the scripted settings dialog over a clone of its copy. It owns a preview detector, a private detection chain over the host document whose
// channels it removes again when it closes. Answered, like the settings dialog, by the scripted
// answerer; a script may edit the clone and drive the preview.
#pragma once

#include <functional>

#include "analysis/detection/detector.h"
#include "analysis/settings/settings.h"

namespace Rhyth {

class ScriptedAdvancedDialog {
 public:
  ScriptedAdvancedDialog(HWND parent, IUnknown* hostDocument, Settings& clone);
  ~ScriptedAdvancedDialog();
  ScriptedAdvancedDialog(const ScriptedAdvancedDialog&) = delete;
  ScriptedAdvancedDialog& operator=(const ScriptedAdvancedDialog&) = delete;

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

using ScriptedAdvancedDialogScript = std::function<void(ScriptedAdvancedDialog&)>;
void ScriptAdvancedDialog(int answer, ScriptedAdvancedDialogScript script = {});

}  // namespace Rhyth
