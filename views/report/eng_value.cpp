#include "views/report/eng_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>

#include "analysis/engine/analysis_engine.h"

namespace Rhyth {

namespace {

constexpr int32_t kMaxPrefixExponent = 24;
constexpr wchar_t kNotAvailable[] = L"n/a";
// What a stream writes without a precision of its own.
constexpr int32_t kStreamPrecision = 6;

// The number as a classic-locale stream writes it with this precision, fixed-point or general.
// The characters are made without a stream, which the beat tooltips of a long recording would
// otherwise spend most of their time building; a number too long for the buffer goes through
// one.
std::wstring NumberText(double value, int32_t precision, bool fixed) {
  const int digits = precision >= 0 ? precision : kStreamPrecision;
  char text[512];
  const auto written = std::to_chars(text, text + sizeof text, value,
                                     fixed ? std::chars_format::fixed : std::chars_format::general,
                                     digits);
  if (written.ec == std::errc()) return std::wstring(text, written.ptr);
  std::wostringstream stream;
  stream.imbue(std::locale::classic());
  if (fixed) stream.setf(std::ios::fixed, std::ios::floatfield);
  stream.precision(digits);
  stream << value;
  return stream.str();
}

}  // namespace

double PowerOfTen(int32_t n) {
  double result = 1.0;
  double square = 10.0;
  for (int64_t k = std::abs(int64_t(n)); k > 0; k >>= 1) {
    if (k & 1) result *= square;
    square *= square;
  }
  return n < 0 ? 1.0 / result : result;
}

EngValue::EngValue(double value, std::wstring unitText) : unit(std::move(unitText)) {
  if (value == 0.0 || !std::isfinite(value)) {
    mantissa = value;
    return;
  }
  const int32_t e = int32_t(std::floor(std::log10(std::fabs(value))));
  const int32_t q = e / 3;
  const int32_t r = e - 3 * q;
  mantissa = (value / PowerOfTen(e)) * PowerOfTen(r);
  exponent = 3 * q;
  if (std::fabs(mantissa) < 1.0) {
    mantissa *= 1000.0;
    exponent -= 3;
  }
  // log10 of an exact power of ten may round down, which leaves a mantissa of 1000.
  if (std::fabs(mantissa) >= 1000.0) {
    mantissa /= 1000.0;
    exponent += 3;
  }
}

void EngValue::Format(std::wstring& out, int32_t prefixExponent, int32_t precision, bool fixed,
                      const std::wstring& unitText) const {
  if (!std::isfinite(mantissa)) {
    out = kNotAvailable;
    return;
  }
  const int32_t p = std::clamp(prefixExponent, -kMaxPrefixExponent, kMaxPrefixExponent);
  double value = mantissa * PowerOfTen(exponent - p);
  // A value that shows as zero is written without a minus sign.
  if (fixed && precision >= 0 && std::fabs(value * PowerOfTen(precision)) < 0.5) value = 0.0;
  out = NumberText(value, precision, fixed);
  const std::wstring& shown = unitText.empty() ? unit : unitText;
  if (!shown.empty()) {
    out += L' ';
    if (const WCHAR letter = AnalysisEngine::SIPrefixChar(p)) out += wchar_t(letter);
    out += shown;
  }
}

void EngValue::ToText(std::wstring& out, const std::wstring& unitText) const {
  const bool noUnit = unitText.empty() && unit.empty();
  Format(out, noUnit ? 0 : exponent, 4, false, unitText);
}

}  // namespace Rhyth
