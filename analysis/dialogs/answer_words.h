// The words of a dialog answered with lines of text ("NAME=VALUE") instead of clicks: names
// compared as a person types them (case and blanks do not matter) and values with the blanks
// around them dropped. Free functions over plain text; nothing is kept.
#pragma once

#include <string>

namespace Rhyth {

// "large dog", "LargeDog" and "Large Dog" fold to one name.
std::string FoldedName(const std::string& text);
// The text without the blanks (and a line end) around it.
std::string TrimmedText(const std::string& text);

}  // namespace Rhyth
