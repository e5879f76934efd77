// The analysis settings dialog, as the settings command runs it: modal, over a copy of the
// document's settings that it alone edits; the command takes the copy only when the dialog ends
// with OK. The views name the dialog with windows while the module loads (RunSettingsDialog then
// runs it); a program built without them gets the scripted stand-in below, which has no window:
// it is answered by the scripted answerer of modal dialogs (IDOK or IDCANCEL, Cancel when
// nothing is queued), and a script may edit the copy as a person would, field by field, by
// preset, by source channel or through the advanced dialog. An OK answer may also carry lines of
// text in the dialog's words (settings_answer_lines.h), for scripts that know nothing of this
// code; lines it cannot apply turn the answer into Cancel, with the reason recorded in the run.
// Either dialog lives for one run of the command.
#pragma once

#include <functional>
#include <set>
#include <vector>

#include "analysis/dialogs/settings_answer_lines.h"
#include "analysis/settings/settings.h"
#include "core/quor_string.h"

namespace Rhyth {

class Document;

// The channels the document computes from its source (the detection chain and the channel
// calculation's channels): none of them can be the source, whose beats they come from.
std::set<DWORD> ChannelsComputedFromSource(Document& document);

// Runs the dialog on `copy`; IDOK or IDCANCEL. `channels`: the data document's channel titles
// in channel-index order; `hostData`: the host's data document, which the advanced dialog reads.
using SettingsDialogRunner = int (*)(HWND parent, std::vector<Quor::String> channels,
                                     Document& document, Settings& copy, IUnknown* hostData);
// Set while the module loads; returns true, so that a static can hold the call.
bool SetSettingsDialogRunner(SettingsDialogRunner run);
int RunSettingsDialog(HWND parent, std::vector<Quor::String> channels, Document& document,
                      Settings& copy, IUnknown* hostData);

class ScriptedSettingsDialog : private SettingsAnswerTarget {
 public:
  // `copy` outlives the dialog; the document's own settings are never written.
  ScriptedSettingsDialog(HWND parent, std::vector<Quor::String> channels, Document& document,
                         Settings& copy);

  // IDOK when the user ended the dialog with OK, else IDCANCEL.
  int Execute();

  Settings& Copy() override { return m_copy; }
  HWND Parent() const { return m_parent; }
  // The channels offered as the source: every channel but the module's own computed ones,
  // whose beats come from the source itself, so that choosing one would make a cycle.
  const std::vector<SourceChoice>& SourceChoices() override { return m_choices; }
  // Makes an offered channel the source; false (and nothing changed) for any other.
  bool ChooseSource(DWORD index) override;
  // Preset 0 to 7 sets the detection, classifier and spectrum values of that species; 8
  // (Custom) keeps the values; any other number changes nothing.
  void PickPreset(DWORD preset) override;
  // Runs the advanced dialog on a clone of the copy and takes its detection values when it
  // ends with OK and they differ; the advanced dialog's answer.
  int PressAdvanced();

 private:
  void SetSelectionOnly(bool only) override { m_copy.source.selectionOnly = only; }
  // Without controls every value goes straight into the copy.
  bool ShowValue(const char*, double) override { return false; }
  TogetherProblem CheckTogether() override;

  HWND m_parent;
  Document& m_document;
  Settings& m_copy;
  std::vector<SourceChoice> m_choices;
};

// What a script does with the next scripted settings dialog before it is answered.
using SettingsDialogScript = std::function<void(ScriptedSettingsDialog&)>;
// Queues the answer of the next settings dialog (with the answerer's other answers, in the
// order dialogs and boxes are shown) and, when given, what it does to its copy first.
void ScriptSettingsDialog(int answer, SettingsDialogScript script = {});
// Forgets the scripts of dialogs that were not run.
void ClearSettingsDialogScripts();

}  // namespace Rhyth
