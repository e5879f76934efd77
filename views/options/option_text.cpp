#include "views/options/option_text.h"

#include <locale>
#include <sstream>

namespace Rhyth {

namespace {

template <class T>
void AppendClassic(std::u16string& text, T value) {
  std::ostringstream number;
  number.imbue(std::locale::classic());
  number << value;
  for (char c : number.str()) text += char16_t(c);
}

}  // namespace

OptionText& OptionText::operator<<(double value) {
  AppendClassic(m_text, value);
  return *this;
}

OptionText& OptionText::operator<<(long long value) {
  AppendClassic(m_text, value);
  return *this;
}

}  // namespace Rhyth
