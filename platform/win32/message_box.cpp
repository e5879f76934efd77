#include "platform/win32/message_box.h"

#include <deque>
#include <mutex>

namespace {

std::mutex& BoxMutex() {
  static std::mutex mutex;
  return mutex;
}

std::deque<int>& QueuedAnswers() {
  static std::deque<int> answers;
  return answers;
}

std::vector<win32::ShownMessageBox>& Shown() {
  static std::vector<win32::ShownMessageBox> shown;
  return shown;
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

}  // namespace

int MessageBoxExW(HWND, LPCWSTR text, LPCWSTR caption, UINT style, WORD) {
  std::lock_guard lock(BoxMutex());
  int answer = UnattendedAnswer(style);
  if (!QueuedAnswers().empty()) {
    answer = QueuedAnswers().front();
    QueuedAnswers().pop_front();
  }
  Shown().push_back({text ? text : u"", caption ? caption : u"", style, answer});
  return answer;
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style) {
  return MessageBoxExW(owner, text, caption, style, 0);
}

namespace win32 {

void QueueMessageBoxAnswer(int answer) {
  std::lock_guard lock(BoxMutex());
  QueuedAnswers().push_back(answer);
}

std::vector<ShownMessageBox> ShownMessageBoxes() {
  std::lock_guard lock(BoxMutex());
  return Shown();
}

void ClearShownMessageBoxes() {
  std::lock_guard lock(BoxMutex());
  Shown().clear();
}

void ClearQueuedMessageBoxAnswers() {
  std::lock_guard lock(BoxMutex());
  QueuedAnswers().clear();
}

}  // namespace win32
