// Number punctuation facets of the module's locale. Numbers never group their digits: a
// separator in an edit field or a formula would be read back as the end of the number.
#pragma once

#include <locale>
#include <string>

namespace Quor {

// The punctuation of a named locale without digit grouping.
template <class CharT>
class NoThousandsSep : public std::numpunct_byname<CharT> {
 public:
  explicit NoThousandsSep(const char* localeName = "C", std::size_t refs = 0)
      : std::numpunct_byname<CharT>(localeName, refs) {}

 protected:
  std::string do_grouping() const override { return {}; }
};

// The user's own decimal point and thousands separator without digit grouping, for a locale
// whose punctuation is not the user's.
template <class CharT>
class CRTBug_UserRadix_NoThousandsSep : public std::numpunct<CharT> {
 public:
  CRTBug_UserRadix_NoThousandsSep(CharT decimalPoint, CharT thousandsSeparator,
                                  std::size_t refs = 0)
      : std::numpunct<CharT>(refs),
        m_decimalPoint(decimalPoint),
        m_thousandsSeparator(thousandsSeparator) {}

 protected:
  CharT do_decimal_point() const override { return m_decimalPoint; }
  CharT do_thousands_sep() const override { return m_thousandsSeparator; }
  std::string do_grouping() const override { return {}; }

 private:
  CharT m_decimalPoint;
  CharT m_thousandsSeparator;
};

// The classic punctuation with a NUL thousands separator, for numbers in machine-read texts.
class NoCommaSeparator : public std::numpunct<char> {
 public:
  explicit NoCommaSeparator(std::size_t refs = 0) : std::numpunct<char>(refs) {}

 protected:
  char do_thousands_sep() const override { return '\0'; }
  std::string do_grouping() const override { return {}; }
};

}  // namespace Quor
