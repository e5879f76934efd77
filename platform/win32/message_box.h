// Message boxes. Nothing waits for a person: every box is recorded and answered by a scripted
// answerer (tests and the command line queue answers); without a queued answer a box is
// cancelled, or closed with its only safe button.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/types.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_TASKMODAL = 0x2000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style);
int MessageBoxExW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style, WORD language);

namespace win32 {

struct ShownMessageBox {
  std::u16string text;
  std::u16string caption;
  UINT style;
  int answer;
  HWND owner = nullptr;
};

// Queues the answer of the next box.
void QueueMessageBoxAnswer(int answer);
// The boxes shown so far, oldest first; and forgetting them.
std::vector<ShownMessageBox> ShownMessageBoxes();
void ClearShownMessageBoxes();
// Drops the answers queued for boxes that were not shown.
void ClearQueuedMessageBoxAnswers();
// Drops only the answers queued for dialogs (QueueModalDialogAnswer) that were not shown, such
// as those of dialogs a dialog that was cancelled would have opened.
void ClearQueuedDialogAnswers();

// Modal dialogs take their answers from the same queue, in the order boxes and dialogs are
// shown; without a queued answer a dialog is cancelled (IDCANCEL). Each run is recorded by the
// dialog's name; ClearShownMessageBoxes forgets them too.
struct ShownDialog {
  std::u16string name;
  int answer;
  // Why the dialog refused the lines it was answered with; empty when it took them.
  std::u16string refusal;
};
int AnswerModalDialog(const std::u16string& name);
std::vector<ShownDialog> ShownDialogs();

// A dialog's answer with lines of text that a script, knowing nothing of the dialog's code,
// has the dialog apply before it ends, each in the dialog's own words ("NAME=VALUE"). Queued
// this way, an answer waits for the next dialog: a message box shown before it leaves it.
struct ModalDialogAnswer {
  int answer;
  std::vector<std::u16string> lines;
};
void QueueModalDialogAnswer(int answer, std::vector<std::u16string> lines);
// AnswerModalDialog that hands the dialog the lines queued with its answer.
ModalDialogAnswer AnswerModalDialogWithLines(const std::u16string& name);
// The dialog answered last could not apply its lines: its run is recorded as cancelled, with
// the reason, which the script's author reads from ShownDialogs.
void RefuseModalDialogAnswer(const std::u16string& reason);
// The same for the run at `index` of ShownDialogs, when dialogs shown since stand after it.
void RefuseModalDialogRun(std::size_t index, const std::u16string& reason);

}  // namespace win32
