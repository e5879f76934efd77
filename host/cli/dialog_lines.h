// The lines of a session script that fill in one of the module's dialogs as a person would:
// "dialog MENU" opens the dialog of a menu item, "type LABEL=TEXT", "choose LIST=ITEM" and
// "click CAPTION" act on its controls, and "ok" or "cancel" ends it. Nothing reaches the module
// until the dialog ends: the menu item then runs with the actions as the dialog's answer, and a
// dialog that refuses them (its warning and the marked fields) stops the script with nothing
// applied. One object per script run keeps the dialog open between its lines.
#pragma once

#include <string>
#include <vector>

namespace PendrelHost {

class AnalysisSession;

class ScriptedDialog {
 public:
  // Takes the line when it belongs to a dialog (the ones above); false for any other line
  // while no dialog is open, "click" among them (there it clicks a plot's point). Throws
  // std::invalid_argument for a line out of its place and SettingsRefused with the dialog's
  // reason when it refused what was done.
  bool TakeLine(AnalysisSession& session, const std::string& line, int number);
  // Throws std::invalid_argument when a dialog is still open.
  void Finish() const;

 private:
  std::u16string m_menu;  // empty: no dialog open
  int m_openedAt = 0;
  std::vector<std::u16string> m_actions;
};

}  // namespace PendrelHost
