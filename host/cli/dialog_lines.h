// The lines of a session script that fill in one of the module's dialogs as a person would:
// "dialog MENU" opens the dialog of a menu item, "type LABEL=TEXT", "choose LIST=ITEM" and
// "click CAPTION" act on its controls, "preview FILE" has it write its preview as a picture, and
// "ok" or "cancel" ends it. A click on a caption ending in "..." (such as "Advanced...") opens a
// dialog of its own: the lines after it are that dialog's, up to its own ok or cancel. Nothing
// reaches the module until the first dialog ends: the menu item then runs with the actions as
// the dialogs' answers, and a dialog that refuses them (its warning and the marked fields) stops
// the script with nothing applied. One object per script run keeps the dialogs open between
// their lines.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/message_box.h"

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
  // A dialog of the session and the lines it is answered with.
  struct Answered {
    int openedAt;
    int answer = IDCANCEL;  // until ended with ok
    std::vector<std::u16string> lines;
  };

  std::u16string m_menu;
  // Every dialog of the session in the order they open, and which are still open (innermost
  // last); none open: no dialog.
  std::vector<Answered> m_dialogs;
  std::vector<std::size_t> m_open;
};

}  // namespace PendrelHost
