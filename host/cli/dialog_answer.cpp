#include "host/cli/dialog_answer.h"

#include "core/quor_string.h"
#include "host/cli/analysis_session.h"
#include "host/cli/settings_options.h"
#include "platform/win32/message_box.h"

namespace PendrelHost {

void AnswerNextDialog(const std::vector<std::u16string>& lines, const std::function<void()>& action,
                      const std::string& noDialog) {
  AnswerNextDialog(IDOK, lines, action, noDialog);
}

void AnswerNextDialog(int answer, const std::vector<std::u16string>& lines,
                      const std::function<void()>& action, const std::string& noDialog) {
  AnswerNextDialogs({{answer, lines}}, action, noDialog);
}

void AnswerNextDialogs(const std::vector<win32::ModalDialogAnswer>& answers,
                       const std::function<void()>& action, const std::string& noDialog) {
  const std::size_t before = win32::ShownDialogs().size();
  for (const win32::ModalDialogAnswer& answer : answers) {
    win32::QueueModalDialogAnswer(answer.answer, answer.lines);
  }
  action();
  const std::vector<win32::ShownDialog> dialogs = win32::ShownDialogs();
  if (dialogs.size() <= before) {
    // Left queued, the answer would go to whatever box or dialog came next.
    win32::ClearQueuedMessageBoxAnswers();
    throw SessionError(noDialog);
  }
  win32::ClearQueuedDialogAnswers();
  for (std::size_t i = before; i < dialogs.size(); ++i) {
    if (!dialogs[i].refusal.empty()) {
      throw SettingsRefused(Quor::String(dialogs[i].refusal.c_str()).ToUtf8String());
    }
  }
}

}  // namespace PendrelHost
