// Answering the module's next modal dialog with lines in the dialog's own words ("NAME=VALUE"),
// as a person would fill it in, and hearing whether the dialog took them. The answer is queued
// with the platform's scripted answerer just before the action that shows the dialog.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/message_box.h"

namespace PendrelHost {

// Runs `action`, which should show one dialog, with OK and `lines` as that dialog's answer.
// Throws SettingsRefused with the dialog's reason when it refused the lines, and SessionError
// with `noDialog` when the action showed no dialog.
void AnswerNextDialog(const std::vector<std::u16string>& lines, const std::function<void()>& action,
                      const std::string& noDialog);
// The same with the dialog's answer (IDOK or IDCANCEL).
void AnswerNextDialog(int answer, const std::vector<std::u16string>& lines,
                      const std::function<void()>& action, const std::string& noDialog);
// The same for a dialog and the dialogs it opens, each answer in the order they are shown. The
// answers of dialogs that were not shown (their opener was cancelled or refused first) are
// dropped.
void AnswerNextDialogs(const std::vector<win32::ModalDialogAnswer>& answers,
                       const std::function<void()>& action, const std::string& noDialog);

}  // namespace PendrelHost
