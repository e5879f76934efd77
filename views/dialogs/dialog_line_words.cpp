#include "views/dialogs/dialog_line_words.h"

#include "analysis/dialogs/answer_words.h"
#include "core/quor_string.h"
#include "platform/win32/message_box.h"

namespace Rhyth {

std::string NarrowText(std::u16string_view text) {
  return Quor::String(std::u16string(text).c_str()).ToUtf8String();
}

std::u16string WideText(const std::string& text) {
  return Quor::String::FromUtf8(text).ToStdWString();
}

std::string FoldedCaption(std::u16string_view caption) {
  std::u16string plain;
  for (const char16_t c : caption)
    if (c != u'&') plain += c;
  std::string folded = FoldedName(NarrowText(plain));
  while (!folded.empty() && (folded.back() == ':' || folded.back() == '.')) folded.pop_back();
  return folded;
}

std::optional<std::pair<std::string, std::string>> NameAndValue(const std::u16string& text) {
  const std::string line = NarrowText(text);
  const auto equals = line.find('=');
  if (equals == std::string::npos) return std::nullopt;
  return std::make_pair(TrimmedText(line.substr(0, equals)), TrimmedText(line.substr(equals + 1)));
}

VerbLine SplitVerb(const std::u16string& line) {
  const std::string text = TrimmedText(NarrowText(line));
  const auto space = text.find(' ');
  const std::string rest = space == std::string::npos ? "" : TrimmedText(text.substr(space + 1));
  return {FoldedName(text.substr(0, space)), WideText(rest)};
}

std::u16string RefusalOfRunsSince(std::size_t first) {
  const std::vector<win32::ShownDialog> runs = win32::ShownDialogs();
  for (std::size_t i = first; i < runs.size(); ++i)
    if (!runs[i].refusal.empty()) return runs[i].refusal;
  return {};
}

void TypeInto(OWL::TEdit& edit, const std::u16string& text) {
  for (std::size_t typed = edit.GetText().size(); typed > 0; --typed) {
    edit.HandleMessage(WM_CHAR, WPARAM(u'\b'), 0);
  }
  for (const char16_t key : text) edit.HandleMessage(WM_CHAR, WPARAM(key), 0);
}

}  // namespace Rhyth
