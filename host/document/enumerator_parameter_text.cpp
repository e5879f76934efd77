#include "host/document/enumerator_parameter_text.h"

#include <charconv>

namespace PendrelHost {

namespace {
constexpr char16_t kLeadingWord[] = u"0";
}

std::u16string EnumeratorParameterText(std::span<const double> numbers) {
  std::u16string text = kLeadingWord;
  for (double number : numbers) {
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
    text += u' ';
    // The characters of a number are ASCII.
    if (error == std::errc()) text.append(digits, end);
  }
  return text;
}

}  // namespace PendrelHost
