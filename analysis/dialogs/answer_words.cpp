#include "analysis/dialogs/answer_words.h"

#include <cctype>

namespace Rhyth {

std::string FoldedName(const std::string& text) {
  std::string folded;
  for (const char c : text) {
    if (c != ' ' && c != '\t') folded += char(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded;
}

std::string TrimmedText(const std::string& text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

}  // namespace Rhyth
