#include "core/numpunct_facets.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

namespace {

// Groups digits in threes, as many users' locales do.
class Grouping : public std::numpunct<wchar_t> {
 protected:
  wchar_t do_thousands_sep() const override { return L','; }
  std::string do_grouping() const override { return "\3"; }
};

std::wstring WriteTwoDecimals(const std::locale& locale, double value) {
  std::wostringstream out;
  out.imbue(locale);
  out << std::fixed << std::setprecision(2) << value;
  return out.str();
}

double ReadNumber(const std::locale& locale, const std::wstring& text, std::wstring& rest) {
  std::wistringstream in(text);
  in.imbue(locale);
  double value = 0;
  in >> value;
  rest = in.eof() ? L"" : std::wstring(std::istreambuf_iterator<wchar_t>(in), {});
  return value;
}

TEST(NumpunctFacets, NumbersAreNeverGrouped) {
  const std::locale grouping(std::locale::classic(), new Grouping);
  EXPECT_EQ(WriteTwoDecimals(grouping, 1234567.25), L"1,234,567.25");
  EXPECT_EQ(WriteTwoDecimals(std::locale(grouping, new Quor::NoThousandsSep<wchar_t>), 1234567.25),
            L"1234567.25");

  const std::locale userRadix(grouping,
                              new Quor::CRTBug_UserRadix_NoThousandsSep<wchar_t>(L',', L'.'));
  EXPECT_EQ(WriteTwoDecimals(userRadix, 1234567.25), L"1234567,25");
  std::wstring rest;
  EXPECT_EQ(ReadNumber(userRadix, L"1234,5", rest), 1234.5);
  EXPECT_EQ(ReadNumber(userRadix, L"1.234,5", rest), 1.0);  // a separator ends the number
  EXPECT_EQ(rest, L".234,5");

  std::ostringstream narrow;
  narrow.imbue(std::locale(std::locale::classic(), new Quor::NoCommaSeparator));
  narrow << 1234567 << ' ' << 0.5;
  EXPECT_EQ(narrow.str(), "1234567 0.5");
  EXPECT_EQ(std::use_facet<std::numpunct<char>>(narrow.getloc()).thousands_sep(), '\0');
}

}  // namespace
