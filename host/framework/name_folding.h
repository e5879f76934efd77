// Names the host compares without regard to case (message classes, class names): ASCII or
// Latin-1 in practice, which both fold by moving capitals down by 0x20.
#pragma once

#include <algorithm>
#include <string>

namespace Tarn {

inline char16_t FoldCase(char16_t c) {
  const bool asciiCapital = c >= u'A' && c <= u'Z';
  const bool latinCapital = c >= 0xC0 && c <= 0xDE && c != 0xD7;
  return asciiCapital || latinCapital ? char16_t(c + 0x20) : c;
}

inline std::u16string FoldedName(std::u16string text) {
  std::transform(text.begin(), text.end(), text.begin(), FoldCase);
  return text;
}

}  // namespace Tarn
