// The scripts of one kind of modal dialog: what each of the next dialogs does before it is
// answered, in the order they were queued. The answers themselves come from the platform's
// answerer, shared with the message boxes.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "platform/win32/message_box.h"

namespace Rhyth {

template <class Dialog>
class DialogScripts {
 public:
  using Script = std::function<void(Dialog&)>;

  static void Queue(int answer, Script script) {
    std::lock_guard lock(Mutex());
    Scripts().push_back(std::move(script));
    win32::QueueMessageBoxAnswer(answer);
  }

  static void Clear() {
    std::lock_guard lock(Mutex());
    Scripts().clear();
  }

  // Runs the next script on the dialog, if one is queued, then takes the dialog's answer.
  static int Run(Dialog& dialog, const std::u16string& name) {
    return RunWithLines(dialog, name).answer;
  }

  // Run, with the lines of text queued with the answer, for the dialog to apply.
  static win32::ModalDialogAnswer RunWithLines(Dialog& dialog, const std::u16string& name) {
    Script script;
    {
      std::lock_guard lock(Mutex());
      if (!Scripts().empty()) {
        script = std::move(Scripts().front());
        Scripts().pop_front();
      }
    }
    if (script) script(dialog);
    return win32::AnswerModalDialogWithLines(name);
  }

 private:
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::deque<Script>& Scripts() {
    static std::deque<Script> scripts;
    return scripts;
  }
};

}  // namespace Rhyth
