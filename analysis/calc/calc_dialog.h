// The channel calculation's settings dialog, run modally over a working copy of the settings.
// The views name the dialog with windows while the module loads (RunCalcDialog then runs it);
// a program built without them gets the scripted stand-in below, whose run is recorded and
// answered by the platform's scripted answerer. An answer of IDCANCEL (also the answer when
// none is queued) cancels; IDOK accepts the copy as it stands; a choice word made with
// CalcDialogChoice sets the copy's mode, first flag and interpolate flag and accepts. Lines
// queued with the answer (calc_answer_lines.h) are applied to the copy; lines it cannot take
// turn the answer into IDCANCEL, with the reason recorded with the dialog's run.
#pragma once

#include "analysis/calc/channel_calc_settings.h"
#include "platform/win32/types.h"

namespace Rhyth {

// The answer that picks a beat measure and the two flags, as a person would in the dialog.
int CalcDialogChoice(LONG mode, bool first, bool interpolate);

// Runs the dialog on the working copy; IDOK or IDCANCEL.
using CalcDialogRunner = int (*)(HWND parent, ChannelCalcSettings& copy);
// Set while the module loads; returns true, so that a static can hold the call.
bool SetCalcDialogRunner(CalcDialogRunner run);
// `current`: the settings in use, or null; `copy`: the working copy the dialog edits.
int RunCalcDialog(HWND parent, const ChannelCalcSettings* current, ChannelCalcSettings& copy);

class ScriptedCalcDialog {
 public:
  ScriptedCalcDialog(HWND parent, const ChannelCalcSettings* current, ChannelCalcSettings& copy);
  ~ScriptedCalcDialog() = default;
  ScriptedCalcDialog(const ScriptedCalcDialog&) = delete;
  ScriptedCalcDialog& operator=(const ScriptedCalcDialog&) = delete;

  // IDCANCEL (2) when the user cancels, IDOK otherwise.
  int Execute();

 private:
  ChannelCalcSettings& m_copy;
};

}  // namespace Rhyth
