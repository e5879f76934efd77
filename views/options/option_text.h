// The text the plot option writers build: literal pieces and numbers, numbers always as the
// classic locale writes them with six significant digits, whatever the process's locale.
#pragma once

#include <string>
#include <string_view>

#include "core/quor_string.h"

namespace Rhyth {

class OptionText {
 public:
  OptionText& operator<<(std::u16string_view piece) {
    m_text += piece;
    return *this;
  }
  OptionText& operator<<(const char16_t* piece) { return *this << std::u16string_view(piece); }
  OptionText& operator<<(const Quor::String& piece) {
    m_text += piece.ToStdWString();
    return *this;
  }
  OptionText& operator<<(double value);
  OptionText& operator<<(long long value);

  const std::u16string& Text() const { return m_text; }

 private:
  std::u16string m_text;
};

}  // namespace Rhyth
