// Numbers in engineering notation: the mantissa stays in [1, 1000) at every power of ten, the
// text is the value at the chosen prefix as "%.4g" writes it, and what is not a number reads
// "n/a", whatever the global locale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <string>

#include "views/report/eng_value.h"

namespace ViewsTest {
namespace {

using Rhyth::EngValue;

// UTF-8 of a text whose characters all lie below U+0800.
std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) {
    if (c < 0x80) {
      out += char(c);
    } else {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string ToText(double value, const wchar_t* unit) {
  std::wstring text;
  EngValue(value, unit).ToText(text, L"");
  return Narrow(text);
}

// What "%.4g" writes for the value at prefix exponent p, followed by the prefix and unit.
std::string Expected(double value, int p, const std::string& prefixedUnit) {
  char number[64];
  std::snprintf(number, sizeof number, "%.4g", value / std::pow(10.0, p));
  return prefixedUnit.empty() ? number : std::string(number) + " " + prefixedUnit;
}

TEST(EngValue, WritesTheValueAtItsPrefix) {
  struct Case {
    double value;
    const wchar_t* unit;
    const char* text;
  } cases[] = {
      {0.0, L"s", "0 s"},
      {0.0523, L"s", "52.3 ms"},
      {1.25, L"s", "1.25 s"},
      {0.00012, L"", "0.00012"},
      {-0.0523, L"s", "-52.3 ms"},
      {-1234.5, L"Hz", "-1.234 kHz"},
      {0.8234, L"s", "823.4 ms"},
      {0.00123, L"s\u00B2", "1.23 ms\xC2\xB2"},
      {0.0009999, L"s", "999.9 \xC2\xB5s"},
      // Rounds up to 1000 in four digits: written as "%.4g" rounds it, at its own prefix.
      {0.99996, L"s", "1000 ms"},
      {1e27, L"Hz", "1000 YHz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(ToText(c.value, c.unit), c.text);
  }
}

TEST(EngValue, KeepsTheMantissaBelowAThousandAtEveryPowerOfTen) {
  static const char* const kPrefixes[] = {"y", "z", "a", "f", "p", "n", "\xC2\xB5", "m", "",
                                          "k", "M", "G", "T", "P", "E", "Z", "Y"};
  for (int k = -24; k <= 24; ++k) {
    for (double sign : {1.0, -1.0}) {
      const double value = sign * std::pow(10.0, k);
      SCOPED_TRACE(value);
      const EngValue engineering(value, L"s");
      EXPECT_GE(std::fabs(engineering.mantissa), 1.0);
      EXPECT_LT(std::fabs(engineering.mantissa), 1000.0);
      EXPECT_EQ(engineering.exponent % 3, 0);
      // The text is at the value's own prefix, as far as there are prefixes.
      const int p = std::clamp(engineering.exponent, -24, 24);
      EXPECT_EQ(ToText(value, L"s"), Expected(value, p, std::string(kPrefixes[(p + 24) / 3]) + "s"));
    }
  }
}

TEST(EngValue, WritesNotANumberAndInfinityAsNotAvailable) {
  for (double value : {std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(ToText(value, L"s"), "n/a");
    EXPECT_EQ(ToText(value, L""), "n/a");
    std::wstring text;
    EngValue(value, L"BPM").Format(text, 0, 4, false, L"");
    EXPECT_EQ(Narrow(text), "n/a");
  }
}

TEST(EngValue, FormatsAtAGivenPrefix) {
  struct Case {
    double value;
    const wchar_t* unit;
    int exponent;
    int precision;
    bool fixed;
    const char* text;
  } cases[] = {
      {72.87, L"BPM", 0, 4, false, "72.87 BPM"},
      {0.00123, L"", -6, 4, false, "1230"},
      {-0.04, L"", 0, 1, true, "0.0"},
      {-0.06, L"s", 0, 1, true, "-0.1 s"},
      {2.0, L"s", 27, 4, false, "2e-24 Ys"},
      {2.0, L"s", -5, 4, false, "2e+05 s"},
      {1.0 / 3.0, L"s", 0, -1, false, "0.333333 s"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::wstring text;
    EngValue(c.value, c.unit).Format(text, c.exponent, c.precision, c.fixed, L"");
    EXPECT_EQ(Narrow(text), c.text);
  }
}

// A locale that writes a decimal comma.
struct CommaPunct : std::numpunct<wchar_t> {
  wchar_t do_decimal_point() const override { return L','; }
};

TEST(EngValue, IgnoresTheGlobalLocale) {
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
  const std::string text = ToText(0.8234, L"s");
  std::locale::global(previous);
  EXPECT_EQ(text, "823.4 ms");
}

}  // namespace
}  // namespace ViewsTest
