#include "controls/edits/number_text.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The text as ASCII; none when it holds anything else.
std::optional<std::string> Ascii(std::u16string_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (char16_t c : text) {
    if (c == 0 || c > 0x7F) return std::nullopt;
    narrow += char(c);
  }
  return narrow;
}

locale_t ClassicLocale() {
  static const locale_t classic = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
  return classic;
}

// 17 significant digits: enough to give back every double exactly.
constexpr int kDigits = 17;

}  // namespace

std::optional<double> ParseWholeDouble(std::u16string_view text) {
  const std::optional<std::string> narrow = Ascii(text);
  if (!narrow || narrow->empty()) return std::nullopt;
  char* end = nullptr;
  const double value = strtod_l(narrow->c_str(), &end, ClassicLocale());
  if (end == narrow->c_str() || end != narrow->c_str() + narrow->size()) return std::nullopt;
  return value;
}

std::optional<long> ParseWholeLong(std::u16string_view text) {
  const std::optional<std::string> narrow = Ascii(text);
  if (!narrow || narrow->empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(narrow->c_str(), &end, 10);
  if (errno == ERANGE || end == narrow->c_str() || end != narrow->c_str() + narrow->size()) return std::nullopt;
  return value;
}

double RoundToDecimalPlaces(double value, int places) {
  if (!std::isfinite(value) || value == 0) return value;
  char text[64];
  std::snprintf(text, sizeof text, "%.*e", kDigits - 1, std::fabs(value));
  // text is "d.dddddddddddddddde[+-]x": the digits, then the power of ten of the first.
  std::string digits{text[0]};
  digits.append(text + 2, kDigits - 1);
  const int exponent = std::atoi(std::strchr(text, 'e') + 1);
  const int kept = exponent + 1 + places;  // significant digits left by the cut
  if (kept >= kDigits) return value;
  const bool negative = value < 0;
  auto roundsUp = [&](int at) {
    if (digits[at] != '5') return digits[at] > '5';
    // An exact half goes up, toward positive infinity.
    const bool exactHalf = digits.find_first_not_of('0', at + 1) == std::string::npos;
    return !(exactHalf && negative);
  };
  if (kept < 0) return 0.0 * value;
  if (kept == 0) return roundsUp(0) ? (negative ? -1.0 : 1.0) * std::pow(10.0, -places) : 0.0 * value;
  std::string result = digits.substr(0, kept);
  int power = exponent;
  if (roundsUp(kept)) {
    int i = kept - 1;
    for (; i >= 0 && result[i] == '9'; --i) result[i] = '0';
    if (i >= 0) {
      ++result[i];
    } else {
      result.insert(result.begin(), '1');
      ++power;
      result.pop_back();
    }
  }
  const std::string scientific = std::string(negative ? "-" : "") + result.substr(0, 1) + "." +
                                 (result.size() > 1 ? result.substr(1) : "0") + "e" + std::to_string(power);
  return strtod_l(scientific.c_str(), nullptr, ClassicLocale());
}
