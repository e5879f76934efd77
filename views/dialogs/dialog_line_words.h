// The words of the lines a script answers the analysis dialogs with, as a person would act on
// their controls: "VERB REST" lines, captions and labels named as a person names them, and
// "NAME=VALUE" halves. Typing into a field goes key by key, so that the field validates and
// tells its dialog as it would for a person. Free functions; nothing is kept.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/owl/controls.h"

namespace Rhyth {

std::string NarrowText(std::u16string_view text);
std::u16string WideText(const std::string& text);

// A caption or label as a person names it: without the accelerator mark, case, blanks and the
// colon or dots after it.
std::string FoldedCaption(std::u16string_view caption);

// "NAME=VALUE" as its two trimmed halves; none without "=".
std::optional<std::pair<std::string, std::string>> NameAndValue(const std::u16string& text);

// A line's first word, folded ("type"), and the trimmed rest.
struct VerbLine {
  std::string verb;
  std::u16string rest;
};
VerbLine SplitVerb(const std::u16string& line);

// The reason the first of the dialog runs from `first` on (ShownDialogs) gave for refusing its
// lines; empty when none refused.
std::u16string RefusalOfRunsSince(std::size_t first);

// Empties the field key by key and types the text into it.
void TypeInto(OWL::TEdit& edit, const std::u16string& text);

}  // namespace Rhyth
