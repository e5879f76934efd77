#include "host/tabulon/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace PendrelHost {

namespace {

std::string Fixed(double value, int decimals) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                                    decimals);
  return std::string(text, result.ptr);
}

std::string General(double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                    10);
  return std::string(text, result.ptr);
}

// At least `least` and at most `most` decimals: the trailing zeros past `least` go.
std::string Decimals(double value, int least, int most) {
  if (!std::isfinite(value)) return General(value);
  std::string text = Fixed(value, most);
  const std::size_t point = text.find('.');
  std::size_t keep = text.size();
  while (keep > point + 1 + least && text[keep - 1] == '0') --keep;
  text.resize(keep);
  return text;
}

std::string ClockTime(double seconds) {
  if (!std::isfinite(seconds)) return General(seconds);
  const bool negative = seconds < 0;
  const long long hundredths = std::llround(std::fabs(seconds) * 100.0);
  char text[64];
  std::snprintf(text, sizeof text, "%s%02lld:%02lld:%02lld.%02lld", negative ? "-" : "",
                hundredths / 360000, hundredths / 6000 % 60, hundredths / 100 % 60,
                hundredths % 100);
  return text;
}

bool AsReal(const VARIANT& value, double& real) {
  switch (value.vt) {
    case VT_R8: real = value.dblVal; return true;
    case VT_R4: real = value.fltVal; return true;
    case VT_I4: real = value.lVal; return true;
    case VT_I2: real = value.iVal; return true;
    case VT_UI4: real = value.ulVal; return true;
    case VT_INT: real = value.intVal; return true;
    default: return false;
  }
}

}  // namespace

std::string FormatTabulonValue(const VARIANT& value, std::u16string_view format) {
  double real = 0;
  if (!AsReal(value, real)) return {};
  if (format == u"0.0###") return Decimals(real, 1, 4);
  if (format == u"HH:mm:ss.00") return ClockTime(real);
  if (value.vt == VT_I4) return std::to_string(value.lVal);
  return General(real);
}

}  // namespace PendrelHost
