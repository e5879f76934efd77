#include "host/cli/dialog_lines.h"

#include <sstream>
#include <stdexcept>

#include "core/quor_string.h"
#include "host/cli/analysis_session.h"
#include "host/cli/dialog_answer.h"
#include "platform/win32/message_box.h"

namespace PendrelHost {

namespace {

std::string FirstWord(const std::string& line) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  return word;
}

// The line without the blanks around it.
std::string Trimmed(const std::string& line) {
  const auto begin = line.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  return line.substr(begin, line.find_last_not_of(" \t\r") - begin + 1);
}

std::u16string Wide(const std::string& text) { return Quor::String::FromUtf8(text).ToStdWString(); }

}  // namespace

bool ScriptedDialog::TakeLine(AnalysisSession& session, const std::string& line, int number) {
  const std::string verb = FirstWord(line);
  const bool action = verb == "type" || verb == "choose" || verb == "click" || verb == "preview";
  const bool end = verb == "ok" || verb == "cancel";
  if (m_open.empty()) {
    // Outside a dialog, a click is one on a point of a plot view (plot_edit_lines.h).
    if (verb == "click") return false;
    if (action || end) throw std::invalid_argument(verb + " needs a dialog: open one with dialog MENU");
    if (verb != "dialog") return false;
    const std::string menu = Trimmed(Trimmed(line).substr(verb.size()));
    if (menu.empty()) throw std::invalid_argument("expected: dialog MENU");
    m_menu = Wide(menu);
    m_dialogs = {Answered{number, IDCANCEL, {}}};
    m_open = {0};
    return true;
  }
  if (action) {
    const std::string what = Trimmed(Trimmed(line).substr(verb.size()));
    if (what.empty()) throw std::invalid_argument(verb + " needs what to act on");
    m_dialogs[m_open.back()].lines.push_back(Wide(Trimmed(line)));
    if (verb == "click" && what.ends_with("...")) {
      m_dialogs.push_back(Answered{number, IDCANCEL, {}});
      m_open.push_back(m_dialogs.size() - 1);
    }
    return true;
  }
  if (!end) {
    throw std::invalid_argument("the dialog opened on line " +
                                std::to_string(m_dialogs[m_open.back()].openedAt) +
                                " is open: expected type, choose, click, ok or cancel");
  }
  m_dialogs[m_open.back()].answer = verb == "ok" ? IDOK : IDCANCEL;
  m_open.pop_back();
  if (!m_open.empty()) return true;
  std::vector<win32::ModalDialogAnswer> answers;
  for (Answered& dialog : m_dialogs) answers.push_back({dialog.answer, std::move(dialog.lines)});
  m_dialogs.clear();
  const std::u16string menu = std::move(m_menu);
  m_menu.clear();
  AnswerNextDialogs(answers, [&] { session.FireMenu(menu); }, "the menu item showed no dialog");
  return true;
}

void ScriptedDialog::Finish() const {
  if (!m_open.empty()) {
    throw std::invalid_argument("the dialog opened on line " +
                                std::to_string(m_dialogs[m_open.back()].openedAt) +
                                " was not ended with ok or cancel");
  }
}

}  // namespace PendrelHost
