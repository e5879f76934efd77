#include "platform/win32/message_box.h"

#include <deque>
#include <mutex>

namespace {

std::mutex& BoxMutex() {
  static std::mutex mutex;
  return mutex;
}

// An answer queued for a dialog (QueueModalDialogAnswer) is no box's: a notice box that pops up
// first must not take what a script typed for the dialog.
struct QueuedAnswer {
  win32::ModalDialogAnswer answer;
  bool dialogOnly;
};

std::deque<QueuedAnswer>& QueuedAnswers() {
  static std::deque<QueuedAnswer> answers;
  return answers;
}

std::vector<win32::ShownMessageBox>& Shown() {
  static std::vector<win32::ShownMessageBox> shown;
  return shown;
}

std::vector<win32::ShownDialog>& Dialogs() {
  static std::vector<win32::ShownDialog> dialogs;
  return dialogs;
}

int UnattendedAnswer(UINT style) {
  switch (style & 0xF) {
    case MB_OK:
      return IDOK;
    case MB_YESNO:
      return IDNO;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    default:
      return IDCANCEL;
  }
}

// The next queued answer, or `unattended` when none is queued (for a box, none but a dialog's).
// The caller holds the lock.
win32::ModalDialogAnswer NextAnswer(int unattended, bool forBox) {
  if (QueuedAnswers().empty() || (forBox && QueuedAnswers().front().dialogOnly)) {
    return {unattended, {}};
  }
  win32::ModalDialogAnswer answer = std::move(QueuedAnswers().front().answer);
  QueuedAnswers().pop_front();
  return answer;
}

}  // namespace

int MessageBoxExW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style, WORD) {
  std::lock_guard lock(BoxMutex());
  const int answer = NextAnswer(UnattendedAnswer(style), true).answer;
  Shown().push_back({text ? text : u"", caption ? caption : u"", style, answer, owner});
  return answer;
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style) {
  return MessageBoxExW(owner, text, caption, style, 0);
}

namespace win32 {

void QueueMessageBoxAnswer(int answer) {
  std::lock_guard lock(BoxMutex());
  QueuedAnswers().push_back({{answer, {}}, false});
}

void QueueModalDialogAnswer(int answer, std::vector<std::u16string> lines) {
  std::lock_guard lock(BoxMutex());
  QueuedAnswers().push_back({{answer, std::move(lines)}, true});
}

std::vector<ShownMessageBox> ShownMessageBoxes() {
  std::lock_guard lock(BoxMutex());
  return Shown();
}

void ClearShownMessageBoxes() {
  std::lock_guard lock(BoxMutex());
  Shown().clear();
  Dialogs().clear();
}

int AnswerModalDialog(const std::u16string& name) {
  return AnswerModalDialogWithLines(name).answer;
}

ModalDialogAnswer AnswerModalDialogWithLines(const std::u16string& name) {
  std::lock_guard lock(BoxMutex());
  ModalDialogAnswer answer = NextAnswer(IDCANCEL, false);
  Dialogs().push_back({name, answer.answer, {}});
  return answer;
}

void RefuseModalDialogAnswer(const std::u16string& reason) {
  std::size_t last = 0;
  {
    std::lock_guard lock(BoxMutex());
    if (Dialogs().empty()) return;
    last = Dialogs().size() - 1;
  }
  RefuseModalDialogRun(last, reason);
}

void RefuseModalDialogRun(std::size_t index, const std::u16string& reason) {
  std::lock_guard lock(BoxMutex());
  if (index >= Dialogs().size()) return;
  Dialogs()[index].answer = IDCANCEL;
  Dialogs()[index].refusal = reason;
}

std::vector<ShownDialog> ShownDialogs() {
  std::lock_guard lock(BoxMutex());
  return Dialogs();
}

void ClearQueuedMessageBoxAnswers() {
  std::lock_guard lock(BoxMutex());
  QueuedAnswers().clear();
}

void ClearQueuedDialogAnswers() {
  std::lock_guard lock(BoxMutex());
  std::erase_if(QueuedAnswers(), [](const QueuedAnswer& queued) { return queued.dialogOnly; });
}

}  // namespace win32
