// The analysis settings dialog, as the settings command runs it: modal, over a copy of the
// document's settings that it alone edits; the command takes the copy only when the dialog ends
// with OK. This build has no dialog window: the dialog is answered by the scripted answerer of
// modal dialogs (IDOK or IDCANCEL, Cancel when nothing is queued), and a script may edit the
// copy as a person would, field by field, by preset, by source channel or through the advanced
// dialog. An OK answer may also carry lines of text in the dialog's words
// (settings_answer_lines.h), for scripts that know nothing of this code; lines it cannot apply
// turn the answer into Cancel, with the reason recorded in the run. The dialog lives for one run
// of the command.
#pragma once

#include <functional>
#include <vector>

#include "analysis/settings/settings.h"
#include "core/quor_string.h"

namespace Rhyth {

class Document;

class SettingsDialog {
 public:
  // A channel the dialog offers as the analysis source.
  struct SourceChoice {
    DWORD index;
    Quor::String title;
  };

  // `channels`: the data document's channel titles in channel-index order. `copy` outlives the
  // dialog; the document's own settings are never written.
  SettingsDialog(HWND parent, std::vector<Quor::String> channels, Document& document,
                 Settings& copy, DWORD reserved);

  // IDOK when the user ended the dialog with OK, else IDCANCEL.
  int Execute();

  Settings& Copy() { return m_copy; }
  HWND Parent() const { return m_parent; }
  // The channels offered as the source: every channel but the module's own computed ones,
  // whose beats come from the source itself, so that choosing one would make a cycle.
  const std::vector<SourceChoice>& SourceChoices() const { return m_choices; }
  // Makes an offered channel the source; false (and nothing changed) for any other.
  bool ChooseSource(DWORD index);
  // Preset 0 to 7 sets the detection, classifier and spectrum values of that species; 8
  // (Custom) keeps the values; any other number changes nothing.
  void PickPreset(DWORD preset);
  // Runs the advanced dialog on a clone of the copy and takes its detection values when it
  // ends with OK and they differ; the advanced dialog's answer.
  int PressAdvanced();

 private:
  HWND m_parent;
  Document& m_document;
  Settings& m_copy;
  std::vector<SourceChoice> m_choices;
};

// What a script does with the next settings dialog before it is answered.
using SettingsDialogScript = std::function<void(SettingsDialog&)>;
// Queues the answer of the next settings dialog (with the answerer's other answers, in the
// order dialogs and boxes are shown) and, when given, what it does to its copy first.
void ScriptSettingsDialog(int answer, SettingsDialogScript script = {});
// Forgets the scripts of dialogs that were not run.
void ClearSettingsDialogScripts();

}  // namespace Rhyth
